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
// "s2t.json" and "t2s.json" and their dictionaries in the working directory.
class CCConverter
{
public:
    // The process-wide converter; the first call loads s2t, then t2s, from the working directory.
    static CCConverter *instance();

    QString simplifiedToTraditional(const QString &text) const;
    QString traditionalToSimplified(const QString &text) const;

    // True when both converters were loaded.
    bool isLoaded() const;
    // Why loading failed, in Chinese, naming the file and the folder it was looked for in.
    QString errorMessage() const;
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
    void load(const QDir &dir);

    std::unique_ptr<opencc::Config> config;
    std::shared_ptr<opencc::Converter> s2t;
    std::shared_ptr<opencc::Converter> t2s;
    QString error;
    QString failed;
};
