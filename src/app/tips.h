// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace Tarnwick {

class Settings;
struct HelpersSettings;
class TipSession;

// The tip of the day and the ten one-time helper tips. The window is shown
// through the presenter, which returns when the user closed it; the flags
// and the tip number go back into the settings.
class Tips final
{
public:
    using Presenter = std::function<void(TipSession &)>;

    static constexpr int HelperCount = 10;

    // Without a presenter the modal tip window is used.
    Tips(Settings &settings, QString programDirectory, Presenter presenter = {});

    // Replaces how the window is shown (tests play the user with it).
    void setPresenter(Presenter presenter) { m_presenter = std::move(presenter); }

    void ShowTipOfTheDay();
    // Shows helper tip `number` (1 to 10) unless the user switched it off.
    void ShowHelperTip(int number);

    static QString helperCaption(int number); // empty outside 1 to 10
    static bool *helperFlag(HelpersSettings &helpers, int number); // null outside 1 to 10

private:
    QString tipsPath() const;

    Settings &m_settings;
    QString m_programDirectory;
    Presenter m_presenter;
};

} // namespace Tarnwick
