// Figures for the log cipher: bulk throughput per key size and mode, the cost of one log
// line (a cipher object and key expansion per message), and lines per second through the
// handler with several threads. Prints figures only; never fails on a time.

#include "logging/LogMessageHandler.h"
#include "logging/QAESEncryption.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QVector>

#include <cstdio>
#include <ctime>

namespace {

volatile int sink = 0;

// The machine is shared: time the single-threaded figures by this thread's CPU time.
class CpuTimer
{
public:
    void start() { begin = now(); }
    double seconds() const { return now() - begin; }
    qint64 elapsed() const { return qint64(seconds() * 1000); }

private:
    static double now()
    {
        timespec ts {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return ts.tv_sec + ts.tv_nsec / 1e9;
    }
    double begin = 0;
};

double bulkMegabytesPerSecond(
    QAESEncryption::KeySize size, QAESEncryption::CipherMode mode, bool decipher)
{
    const int keyLength = size == QAESEncryption::Aes256 ? 32
        : size == QAESEncryption::Aes192                 ? 24
                                                         : 16;
    const QByteArray key(keyLength, 'k');
    const QByteArray iv(16, 'i');
    const QByteArray plain(1 << 20, 'p');
    QAESEncryption aes(size, mode, QAESEncryption::ZeroPadding);
    const QByteArray cipher = aes.encrypt(plain, key, iv);
    CpuTimer timer;
    timer.start();
    int rounds = 0;
    while (timer.elapsed() < 400 || rounds < 2) {
        const QByteArray out
            = decipher ? aes.decrypt(cipher, key, iv) : aes.encrypt(plain, key, iv);
        sink += out.size();
        ++rounds;
    }
    return rounds / timer.seconds();
}

double microsecondsPer(const std::function<void()> &work)
{
    CpuTimer timer;
    timer.start();
    qint64 n = 0;
    while (timer.elapsed() < 400 || n < 100) {
        work();
        ++n;
    }
    return timer.seconds() * 1e6 / n;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    std::printf("AES bulk throughput, 1 MiB buffers (MB per CPU second)\n");
    std::printf("%-8s %-5s %10s %10s\n", "key", "mode", "encrypt", "decrypt");
    const char *sizes[] = {"AES-128", "AES-192", "AES-256"};
    const char *modes[] = {"ECB", "CBC", "CFB", "OFB"};
    for (int s = 0; s < 3; ++s) {
        for (int m = 0; m < 4; ++m) {
            const auto size = QAESEncryption::KeySize(s);
            const auto mode = QAESEncryption::CipherMode(m);
            std::printf("%-8s %-5s %10.1f %10.1f\n", sizes[s], modes[m],
                bulkMegabytesPerSecond(size, mode, false),
                bulkMegabytesPerSecond(size, mode, true));
        }
    }

    const QString shortText = QStringLiteral("Warning: QFile::rename failed for D:/照片/旅行.jpg");
    const QString longText = QStringLiteral("Debug: ") + QString(2000, QLatin1Char('x'));
    const QString shortLine = encryptText(shortText);
    std::printf("\nOne log line (cipher object and key expansion included), CPU microseconds\n");
    std::printf("encryptText, %d bytes:   %8.2f\n", int(shortText.toUtf8().size()),
        microsecondsPer([&] { sink += encryptText(shortText).size(); }));
    std::printf("decryptText, %d bytes:   %8.2f\n", int(shortText.toUtf8().size()),
        microsecondsPer([&] { sink += decryptText(shortLine).size(); }));
    std::printf("encryptText, %d bytes: %8.2f\n", int(longText.toUtf8().size()),
        microsecondsPer([&] { sink += encryptText(longText).size(); }));
    QAESEncryption aes(QAESEncryption::Aes128, QAESEncryption::Ecb);
    const QByteArray key(16, 'k');
    std::printf("expandKeySchedule (AES-128): %8.2f\n",
        microsecondsPer([&] { sink += aes.expandKeySchedule(key).size(); }));

    // Through the handler into a real file, the lock serialising the writes.
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    openLogFile();
    const QMessageLogContext context;
    std::printf("\nHandler into a log file, lines of %d bytes (wall clock)\n",
        int(shortText.toUtf8().size()));
    for (int threads : {1, 2, 4}) {
        const int perThread = 20000 / threads;
        QVector<QThread *> workers;
        for (int t = 0; t < threads; ++t) {
            workers << QThread::create([&] {
                for (int i = 0; i < perThread; ++i)
                    logMessageHandler(QtWarningMsg, context, shortText);
            });
        }
        QElapsedTimer timer;
        timer.start();
        for (QThread *w : workers)
            w->start();
        for (QThread *w : workers) {
            w->wait();
            delete w;
        }
        const double seconds = timer.nsecsElapsed() / 1e9;
        std::printf("%d thread(s): %9.0f lines/s\n", threads, threads * perThread / seconds);
    }
    logFile.close();
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    return 0;
}
