#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

#include <memory>

namespace opencc {
class Config;
class Converter;
} // namespace opencc

// Simplified/traditional Chinese conversion over OpenCC, with the configurations
// "s2t.json" and "t2s.json" and their dictionaries from the first data folder that holds them all
// (the working directory, beside the program, an install's data folder).
class CCConverter
{
public:
    // The process-wide converter; the first call loads s2t, then t2s.
    static CCConverter *instance();

    QString simplifiedToTraditional(const QString &text) const;
    QString traditionalToSimplified(const QString &text) const;

    // True when both converters were loaded.
    bool isLoaded() const;
    // Why loading failed, in Chinese, naming the file and every folder it was looked for in.
    QString errorMessage() const;
    // The folder the converters were loaded from, empty when not loaded.
    QString folder() const;
    // The file that was missing or unreadable (file name only), empty when loaded.
    QString failedFile() const;

    // Configuration files the converter needs.
    static QStringList configurationFiles();
    // Files named by configuration `configFile` in `dir` that are missing there (the configuration
    // itself first when it is missing); an unreadable configuration is listed too.
    static QStringList missingFiles(const QDir &dir, const QString &configFile);

    ~CCConverter();

private:
    CCConverter();
    // 0 when both converters loaded from dir; else sets error and failed and ranks the failure:
    // 1 none of the configurations there, 2 some file missing, 3 a file damaged.
    int load(const QDir &dir);

    std::unique_ptr<opencc::Config> config;
    std::shared_ptr<opencc::Converter> s2t;
    std::shared_ptr<opencc::Converter> t2s;
    QString error;
    QString failed;
    QString dataFolder;
};
