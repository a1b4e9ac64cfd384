#include "create/CreateSettings.h"

#include <QStandardPaths>

CreateSettings *customCreateSettings()
{
    static CreateSettings settings;
    return &settings;
}

CreateSettings *importCreateSettings()
{
    static CreateSettings settings;
    return &settings;
}

QString desktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

void resetCreateSettings(CreateSettings &settings)
{
    settings = CreateSettings();
    settings.targetDir = desktopFolder();
}
