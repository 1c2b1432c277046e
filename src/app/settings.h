// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QColor>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>
#include <span>
#include <variant>

namespace Tarnwick {

struct LastFilesSettings
{
    QString File1, File2, File3, File4;
    bool AutoLoad = false;
    QString DefaultDir;

    QStringList files() const; // the four entries in order, "" where empty
    void setFiles(const QStringList &files); // takes the first four, clears the rest
};

// Each flag means "show this helper tip again".
struct HelpersSettings
{
    bool NewFile = true, fullscreen = true, BrowserRefresh = true, SimpleTable = true,
         ImageDisplaying = true, Wordwrap = true, DefaultExtension = true, InternalClipboard = true,
         SavingToDefault = true, ExpandingChars = true, ShowTipOfTheDay = true;
    int TipNumber = 10;
};

struct FtpSettings
{
    int TimeOut = 60000; // milliseconds, 0 = never
    QString SmartBinary, SmartASCII;
    bool CheckSite = true; // the site check of the pages about to be sent
};

struct SpellingSettings
{
    bool AutoAdd = false;
    bool SkipHTML = true;
    int SuggestCount = 10;
    int Language = 0;
    int DialogStyle = 0;
    // An installed Hunspell dictionary by name ("de_DE"); empty: the Language above.
    QString HunspellDictionary;
};

struct DefaultsSettings
{
    int FileTabPage = 0;
    QString FileTabs = QStringLiteral("File List");
    bool ExpandCharstoHTML = true;
    int TabSize = 0;
    bool ShowHints = false, UseEWS = true, ShowProjectPanel = true, AutoUpdate = false,
         AutoTimeStamp = false, Wordwrap = false;
    QString BackgroundColor;
    bool ShowImages = true;
    QString SharedImageDir, Browser1, Browser2;
    bool Browser1Prefix = false, Browser2Prefix = false, UseBR = false;
    QString FontName, FontSize, FontColor, FontStyle, HTMLFontName, HTMLFontSize, HTMLFontColor,
        HTMLBackgroundColor, SyntaxBGColor, SyntaxFGColor, HighlightBGColor, HighlightFGColor;
    QString Extension = QStringLiteral("html,htm,shtm,shtml");
    // New settings know today's picture formats too; stored ones are kept.
    QString GraphicExtension = QStringLiteral("gif,jpg,png,svg,webp");
    bool UseClosingP = false;
    int FileFormat = 0;
    bool AutoIndent = false;
    int FontSizeChange = 2;
    bool ShowCustom1 = false, ShowCustom2 = false, ShowCustom3 = false, ShowCustom4 = false;
    QString Custom1caption, Custom2caption, Custom3caption, Custom4caption;
    QString AuthorName; // the Author META line of new pages
    bool AutoComplete = true; // completion of tags, attributes and values while typing
    bool ShowFoldMargin = true; // folding of elements and comments, with its margin
};

struct WindowAttributesSettings
{
    bool Maximized = false;
    int Top = 0, Left = 0, Width = 0, Height = 0, SplitPosition = 0, SplitDirection = 0;
};

// The program-wide settings, read once at start and written back whenever
// they changed and at exit. The only code that touches QSettings: every stored value is declared
// once, in the key table, with its group, name, length limit and member.
class Settings final
{
public:
    // One stored value of the key table.
    struct Key
    {
        using Member = std::variant<bool *, int *, QString *>;
        enum class Type { Boolean, Integer, String };
        static constexpr int NoCut = -1; // paths and free texts keep their full length

        const char *group;
        const char *name;
        Type type;
        int maxLength; // strings only
        Member (*member)(Settings &);

        QString path() const; // "group/name"
    };

    explicit Settings(std::unique_ptr<QSettings> store);

    static std::unique_ptr<QSettings> openUserStore();

    // Every stored value, in the order they are read and written.
    static std::span<const Key> keys();

    LastFilesSettings LastFiles;
    HelpersSettings Helpers;
    FtpSettings FTP;
    SpellingSettings Spelling;
    DefaultsSettings Defaults;
    WindowAttributesSettings WindowAttributes;

    // Reads every value in table order. A value of the wrong type stops the
    // reading: what was read stays, the rest keep their defaults.
    Result ReadIni();
    // True before the first exit ever wrote the settings: the program's first start.
    bool isFirstStart() const;
    // Writes every value and flushes the store; a failed flush is a failure.
    // The store writes a file through a temporary file and a rename.
    Result SaveIni();
    // True when a value differs from what the last ReadIni or SaveIni saw.
    bool changedSinceSave();

    // Stored colours are the decimal number of the colour with red in the
    // lowest byte; an empty or unreadable text means "not set".
    static std::optional<QColor> colorFromSetting(const QString &text);
    static QString colorToSetting(const QColor &color);

    // For the groups other features own. Use the access rules below with it.
    QSettings &store() { return *m_store; }

    // The access rules: a missing value leaves `value` alone; a present one
    // must have the type of `value` (a boolean may be an integer, non-zero
    // meaning true); texts are cut to maxLength unless it is Key::NoCut.
    Result readValue(const QString &group, const QString &name, bool &value);
    Result readValue(const QString &group, const QString &name, int &value);
    Result readValue(const QString &group, const QString &name, QString &value,
                     int maxLength = Key::NoCut);
    // Booleans are written as the integers 0 and 1.
    void writeValue(const QString &group, const QString &name, bool value);
    void writeValue(const QString &group, const QString &name, int value);
    void writeValue(const QString &group, const QString &name, const QString &value);

private:
    QList<QVariant> values();

    std::unique_ptr<QSettings> m_store;
    QList<QVariant> m_saved; // the values as last read or written
};

} // namespace Tarnwick
