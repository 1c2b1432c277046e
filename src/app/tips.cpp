// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tips.h"

#include "app/settings.h"
#include "app/tftipoftheday.h"
#include "app/tipsession.h"

#include <QDir>

#include <array>

namespace Tarnwick {

namespace {

struct Helper
{
    const char *caption;
    bool HelpersSettings::*flag;
};

constexpr std::array<Helper, Tips::HelperCount> helpers { {
    { "Orphan Pages", &HelpersSettings::NewFile },
    { "Full Screen", &HelpersSettings::fullscreen },
    { "Browser Refresh", &HelpersSettings::BrowserRefresh },
    { "Creating Simple Tables", &HelpersSettings::SimpleTable },
    { "Toggling Image View", &HelpersSettings::ImageDisplaying },
    { "Wordwrap and Line Numbers", &HelpersSettings::Wordwrap },
    { "Setting a Default Extension", &HelpersSettings::DefaultExtension },
    { "Internal Clipboard Contents", &HelpersSettings::InternalClipboard },
    { "Saving To Default", &HelpersSettings::SavingToDefault },
    { "Character Conversions", &HelpersSettings::ExpandingChars },
} };

} // namespace

Tips::Tips(Settings &settings, QString programDirectory, Presenter presenter)
    : m_settings(settings)
    , m_programDirectory(std::move(programDirectory))
    , m_presenter(std::move(presenter))
{
    if (!m_presenter)
        m_presenter = [](TipSession &session) { TfTipOfTheDay::present(session); };
}

QString Tips::helperCaption(int number)
{
    if (number < 1 || number > HelperCount)
        return QString();
    return QString::fromLatin1(helpers[number - 1].caption);
}

bool *Tips::helperFlag(HelpersSettings &settings, int number)
{
    if (number < 1 || number > HelperCount)
        return nullptr;
    return &(settings.*helpers[number - 1].flag);
}

QString Tips::tipsPath() const
{
    return QDir(m_programDirectory).filePath(TipsFile::fileName());
}

void Tips::ShowTipOfTheDay()
{
    HelpersSettings &stored = m_settings.Helpers;
    const TipsFile file = TipsFile::load(tipsPath());
    TipSession session = TipSession::tipOfTheDay(file, stored.TipNumber, stored.ShowTipOfTheDay);
    m_presenter(session);
    // Without a file there is nothing to move on from: keep the stored number.
    if (!file.isEmpty())
        stored.TipNumber = TipsFile::tipNumberAfter(session.index());
    stored.ShowTipOfTheDay = session.checked();
}

void Tips::ShowHelperTip(int number)
{
    bool *flag = helperFlag(m_settings.Helpers, number);
    if (!flag || !*flag)
        return;
    const TipsFile file = TipsFile::load(tipsPath());
    TipSession session = TipSession::helper(file, number, helperCaption(number));
    m_presenter(session);
    *flag = session.checked();
}

} // namespace Tarnwick
