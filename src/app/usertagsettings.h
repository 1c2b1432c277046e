// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/specialcharacters.h"
#include "tags/usertagcommands.h"

namespace Tarnwick {

class Settings;
struct DefaultsSettings;

// The user tags' settings: the "SpecialCharacters" group, read and written
// at once with the store's access rules, and the custom pages' flags and
// captions of "Defaults".
class UserTagSettings final : public SpecialCharacterStore
{
public:
    explicit UserTagSettings(Settings *settings);

    QString readText(const QString &name) override;
    bool readFlag(const QString &name) override;
    void writeText(const QString &name, const QString &value) override;
    void writeFlag(const QString &name, bool value) override;

    static UserTagCommands::PageSettings pageSettings(const DefaultsSettings &defaults);
    // The pages' captions as they are now, cut to what the settings keep.
    static void storeCaptions(DefaultsSettings &defaults, const QStringList &captions);

private:
    Settings *m_settings;
};

} // namespace Tarnwick
