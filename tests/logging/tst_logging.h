#pragma once

#include <QObject>

// The cipher (tst_cipher.cpp) and the enciphered log (tst_log.cpp).
class TestLogging : public QObject
{
    Q_OBJECT
private slots:
    void fipsExamples_data();
    void fipsExamples();
    void keyExpansion_data();
    void keyExpansion();
    void agreesWithOpenssl_data();
    void agreesWithOpenssl();
    void padding_data();
    void padding();
    void stripPaddingAlone_data();
    void stripPaddingAlone();
    void preconditions_data();
    void preconditions();
    void objectIsReusable();

    void handlerWritesOneLine_data();
    void handlerWritesOneLine();
    void roundTrip_data();
    void roundTrip();
    void damagedLines_data();
    void damagedLines();
    void readerMarksDamagedLines_data();
    void readerMarksDamagedLines();
    void concurrentThreadsNeverBreakALine();
    void missingFolderIsCreated();
    void sameSecondAppends();
    void unopenableLogKeepsRunning_data();
    void unopenableLogKeepsRunning();
    void fatalAbortsWithoutWriting();
    void startupLogReadsTheSameEverywhere();
    void programLogReadsTheSameEverywhere();
};

// Entry of the test program when started as a child by the tests above.
int runLogChild(const QByteArray &mode, int argc, char **argv);
