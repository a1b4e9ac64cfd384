#pragma once

#include <QObject>

class SequenceTest : public QObject
{
    Q_OBJECT
private slots:
    void numbers_data();
    void numbers();
    void letters_data();
    void letters();
    void random_data();
    void random();
    void randomCoversAlphabet();
    void timeStyles_data();
    void timeStyles();
    void timeFormatsAgreeWithQt();
    void timeTypes();
    void entryTimes();
    void timeSources_data();
    void timeSources();
    void placement_data();
    void placement();
    void settingsFromRecord();
};

class CaseTest : public QObject
{
    Q_OBJECT
private slots:
    void convert_data();
    void convert();
};

class PinyinTest : public QObject
{
    Q_OBJECT
private slots:
    void table();
    void resourceFormat();
    void generatedTableIsCurrent();
    void convert_data();
    void convert();
    void converterReusesTable();
};

class ScriptConversionTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void matchesOpenccTool_data();
    void matchesOpenccTool();
    void unchanged_data();
    void unchanged();
    void keepsUnitsWithoutUtf8();
    void dictionariesHoldOnlyCjkKeys();
    void missingFiles_data();
    void missingFiles();
};

class StartupTest : public QObject
{
    Q_OBJECT
private slots:
    void missingConfiguration_data();
    void missingConfiguration();
};
