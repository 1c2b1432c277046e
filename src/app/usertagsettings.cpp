// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/usertagsettings.h"

#include "app/settings.h"

namespace Tarnwick {

namespace {

const QString group = QStringLiteral("SpecialCharacters");
constexpr int maxCaption = 15;

} // namespace

UserTagSettings::UserTagSettings(Settings *settings)
    : m_settings(settings)
{
}

// A value of the wrong type reads as missing: the slot is empty.
QString UserTagSettings::readText(const QString &name)
{
    QString value;
    if (!m_settings->readValue(group, name, value))
        return QString();
    return value;
}

bool UserTagSettings::readFlag(const QString &name)
{
    bool value = false;
    if (!m_settings->readValue(group, name, value))
        return false;
    return value;
}

void UserTagSettings::writeText(const QString &name, const QString &value)
{
    m_settings->writeValue(group, name, value);
}

void UserTagSettings::writeFlag(const QString &name, bool value)
{
    m_settings->writeValue(group, name, value);
}

UserTagCommands::PageSettings UserTagSettings::pageSettings(const DefaultsSettings &d)
{
    return { { d.ShowCustom1, d.ShowCustom2, d.ShowCustom3, d.ShowCustom4 },
             { d.Custom1caption, d.Custom2caption, d.Custom3caption, d.Custom4caption } };
}

void UserTagSettings::storeCaptions(DefaultsSettings &d, const QStringList &captions)
{
    QString *stored[]
        = { &d.Custom1caption, &d.Custom2caption, &d.Custom3caption, &d.Custom4caption };
    for (int i = 0; i < 4; ++i)
        *stored[i] = captions.value(i).left(maxCaption);
}

} // namespace Tarnwick
