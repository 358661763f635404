#include "core/Settings.h"

#include <QSettings>

namespace {

QSettings Store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tavrel Systems"),
                     QStringLiteral("Quillon"));
}

QString Path(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

int GetSettingInt(const QString& section, const QString& key, int defaultValue)
{
    const QVariant value = Store().value(Path(section, key));
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : defaultValue;
}

QString GetSettingText(const QString& section, const QString& key, const QString& defaultValue)
{
    const QVariant value = Store().value(Path(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

void SetSettingInt(const QString& section, const QString& key, int value)
{
    Store().setValue(Path(section, key), value);
}

void SetSettingText(const QString& section, const QString& key, const QString& value)
{
    Store().setValue(Path(section, key), value);
}

int GetSetting(const CIntSetting& setting)
{
    return GetSettingInt(QLatin1String(setting.section), QLatin1String(setting.key),
                         setting.defaultValue);
}

QString GetSetting(const CTextSetting& setting)
{
    return GetSettingText(QLatin1String(setting.section), QLatin1String(setting.key),
                          QLatin1String(setting.defaultValue));
}

void SetSetting(const CIntSetting& setting, int value)
{
    SetSettingInt(QLatin1String(setting.section), QLatin1String(setting.key), value);
}

void SetSetting(const CTextSetting& setting, const QString& value)
{
    SetSettingText(QLatin1String(setting.section), QLatin1String(setting.key), value);
}
