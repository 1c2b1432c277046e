// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings.h"

#include <QMetaType>
#include <QVariant>

#include <limits>
#include <type_traits>
#include <utility>

namespace Tarnwick {

namespace {

const QString readIniError = QStringLiteral("Exception occured during ReadINI!");
const QString saveIniError = QStringLiteral("Exception occured during SaveINI!");

template<auto Table, auto Field> Settings::Key::Member member(Settings &settings)
{
    return &(settings.*Table.*Field);
}

using S = Settings;
using LF = LastFilesSettings;
using H = HelpersSettings;
using F = FtpSettings;
using Sp = SpellingSettings;
using D = DefaultsSettings;
using W = WindowAttributesSettings;
constexpr int NoCut = Settings::Key::NoCut;

template<typename T>
constexpr bool isStored
    = std::is_same_v<T, bool> || std::is_same_v<T, int> || std::is_same_v<T, QString>;

// The value's type is taken from the member, so the table cannot contradict it.
template<auto Table, auto Field>
constexpr Settings::Key entry(const char *group, const char *name, int maxLength = 0)
{
    using Value = std::remove_cvref_t<decltype(std::declval<Settings &>().*Table.*Field)>;
    using Type = Settings::Key::Type;
    constexpr Type type = std::is_same_v<Value, bool> ? Type::Boolean
        : std::is_same_v<Value, int>                  ? Type::Integer
                                                      : Type::String;
    static_assert(isStored<Value>, "a stored value is a bool, an int or a QString");
    return { group, name, type, maxLength, &member<Table, Field> };
}

constexpr Settings::Key keyTable[] = {
    // Recent files are paths and are kept whole.
    entry<&S::LastFiles, &LF::File1>("LastFiles", "File1", NoCut),
    entry<&S::LastFiles, &LF::File2>("LastFiles", "File2", NoCut),
    entry<&S::LastFiles, &LF::File3>("LastFiles", "File3", NoCut),
    entry<&S::LastFiles, &LF::File4>("LastFiles", "File4", NoCut),
    entry<&S::LastFiles, &LF::AutoLoad>("LastFiles", "AutoLoad"),
    entry<&S::LastFiles, &LF::DefaultDir>("LastFiles", "DefaultDir", NoCut),

    entry<&S::Helpers, &H::NewFile>("Helpers", "NewFile"),
    entry<&S::Helpers, &H::fullscreen>("Helpers", "fullscreen"),
    entry<&S::Helpers, &H::BrowserRefresh>("Helpers", "BrowserRefresh"),
    entry<&S::Helpers, &H::SimpleTable>("Helpers", "SimpleTable"),
    entry<&S::Helpers, &H::ImageDisplaying>("Helpers", "ImageDisplaying"),
    entry<&S::Helpers, &H::Wordwrap>("Helpers", "Wordwrap"),
    entry<&S::Helpers, &H::DefaultExtension>("Helpers", "DefaultExtension"),
    entry<&S::Helpers, &H::InternalClipboard>("Helpers", "InternalClipboard"),
    entry<&S::Helpers, &H::SavingToDefault>("Helpers", "SavingToDefault"),
    entry<&S::Helpers, &H::ExpandingChars>("Helpers", "ExpandingChars"),
    entry<&S::Helpers, &H::ShowTipOfTheDay>("Helpers", "ShowTipOfTheDay"),
    entry<&S::Helpers, &H::TipNumber>("Helpers", "TipNumber"),

    entry<&S::FTP, &F::TimeOut>("FTP", "TimeOut"),
    entry<&S::FTP, &F::SmartBinary>("FTP", "SmartBinary", 200),
    entry<&S::FTP, &F::SmartASCII>("FTP", "SmartASCII", 200),
    entry<&S::FTP, &F::CheckSite>("FTP", "CheckSite"),

    entry<&S::Spelling, &Sp::AutoAdd>("Spelling", "AutoAdd"),
    entry<&S::Spelling, &Sp::SkipHTML>("Spelling", "SkipHTML"),
    entry<&S::Spelling, &Sp::SuggestCount>("Spelling", "SuggestCount"),
    entry<&S::Spelling, &Sp::Language>("Spelling", "Language"),
    entry<&S::Spelling, &Sp::DialogStyle>("Spelling", "DialogStyle"),
    entry<&S::Spelling, &Sp::HunspellDictionary>("Spelling", "HunspellDictionary", NoCut),

    // FileTabs comes after FileTabPage so that it wins at start.
    entry<&S::Defaults, &D::FileTabPage>("Defaults", "FileTabPage"),
    entry<&S::Defaults, &D::FileTabs>("Defaults", "FileTabs", NoCut),
    entry<&S::Defaults, &D::ExpandCharstoHTML>("Defaults", "ExpandCharstoHTML"),
    entry<&S::Defaults, &D::TabSize>("Defaults", "TabSize"),
    entry<&S::Defaults, &D::ShowHints>("Defaults", "ShowHints"),
    entry<&S::Defaults, &D::UseEWS>("Defaults", "UseEWS"),
    entry<&S::Defaults, &D::ShowProjectPanel>("Defaults", "ShowProjectPanel"),
    entry<&S::Defaults, &D::AutoUpdate>("Defaults", "AutoUpdate"),
    entry<&S::Defaults, &D::AutoTimeStamp>("Defaults", "AutoTimeStamp"),
    entry<&S::Defaults, &D::Wordwrap>("Defaults", "Wordwrap"),
    entry<&S::Defaults, &D::BackgroundColor>("Defaults", "BackgroundColor", 25),
    entry<&S::Defaults, &D::ShowImages>("Defaults", "ShowImages"),
    // Directories and program files are paths: never cut.
    entry<&S::Defaults, &D::SharedImageDir>("Defaults", "SharedImageDir", NoCut),
    entry<&S::Defaults, &D::Browser1>("Defaults", "Browser1", NoCut),
    entry<&S::Defaults, &D::Browser2>("Defaults", "Browser2", NoCut),
    entry<&S::Defaults, &D::Browser1Prefix>("Defaults", "Browser1Prefix"),
    entry<&S::Defaults, &D::Browser2Prefix>("Defaults", "Browser2Prefix"),
    entry<&S::Defaults, &D::UseBR>("Defaults", "UseBR"),
    entry<&S::Defaults, &D::FontName>("Defaults", "FontName", 25),
    entry<&S::Defaults, &D::FontSize>("Defaults", "FontSize", 25),
    entry<&S::Defaults, &D::FontColor>("Defaults", "FontColor", 25),
    entry<&S::Defaults, &D::FontStyle>("Defaults", "FontStyle", 25),
    entry<&S::Defaults, &D::HTMLFontName>("Defaults", "HTMLFontName", 25),
    entry<&S::Defaults, &D::HTMLFontSize>("Defaults", "HTMLFontSize", 25),
    entry<&S::Defaults, &D::HTMLFontColor>("Defaults", "HTMLFontColor", 25),
    entry<&S::Defaults, &D::HTMLBackgroundColor>("Defaults", "HTMLBackgroundColor", 25),
    entry<&S::Defaults, &D::SyntaxBGColor>("Defaults", "SyntaxBGColor", 15),
    entry<&S::Defaults, &D::SyntaxFGColor>("Defaults", "SyntaxFGColor", 15),
    entry<&S::Defaults, &D::HighlightBGColor>("Defaults", "HighlightBGColor", 15),
    entry<&S::Defaults, &D::HighlightFGColor>("Defaults", "HighlightFGColor", 15),
    entry<&S::Defaults, &D::Extension>("Defaults", "Extension", 100),
    entry<&S::Defaults, &D::GraphicExtension>("Defaults", "GraphicExtension", 100),
    entry<&S::Defaults, &D::UseClosingP>("Defaults", "UseClosingP"),
    entry<&S::Defaults, &D::FileFormat>("Defaults", "FileFormat"),
    entry<&S::Defaults, &D::AutoIndent>("Defaults", "AutoIndent"),
    entry<&S::Defaults, &D::FontSizeChange>("Defaults", "FontSizeChange"),
    entry<&S::Defaults, &D::ShowCustom1>("Defaults", "ShowCustom1"),
    entry<&S::Defaults, &D::ShowCustom2>("Defaults", "ShowCustom2"),
    entry<&S::Defaults, &D::ShowCustom3>("Defaults", "ShowCustom3"),
    entry<&S::Defaults, &D::ShowCustom4>("Defaults", "ShowCustom4"),
    entry<&S::Defaults, &D::Custom1caption>("Defaults", "Custom1caption", 15),
    entry<&S::Defaults, &D::Custom2caption>("Defaults", "Custom2caption", 15),
    entry<&S::Defaults, &D::Custom3caption>("Defaults", "Custom3caption", 15),
    entry<&S::Defaults, &D::Custom4caption>("Defaults", "Custom4caption", 15),
    entry<&S::Defaults, &D::AuthorName>("Defaults", "AuthorName", 50),
    entry<&S::Defaults, &D::AutoComplete>("Defaults", "AutoComplete"),
    entry<&S::Defaults, &D::ShowFoldMargin>("Defaults", "ShowFoldMargin"),

    entry<&S::WindowAttributes, &W::Maximized>("WindowAttributes", "Maximized"),
    entry<&S::WindowAttributes, &W::Top>("WindowAttributes", "Top"),
    entry<&S::WindowAttributes, &W::Left>("WindowAttributes", "Left"),
    entry<&S::WindowAttributes, &W::Width>("WindowAttributes", "Width"),
    entry<&S::WindowAttributes, &W::Height>("WindowAttributes", "Height"),
    entry<&S::WindowAttributes, &W::SplitPosition>("WindowAttributes", "SplitPosition"),
    entry<&S::WindowAttributes, &W::SplitDirection>("WindowAttributes", "SplitDirection"),
};

QString keyPath(const QString &group, const QString &name)
{
    return group + QLatin1Char('/') + name;
}

// A value as text, or nullopt when it is something no text can stand for
// (a hand-edited file may hold any QVariant).
std::optional<QString> textOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
        // An unquoted "html,htm" in the file comes back as a list.
        return value.toStringList().join(QLatin1Char(','));
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return value.toString();
    default:
        return std::nullopt;
    }
}

std::optional<int> integerOf(const QVariant &value)
{
    bool ok = false;
    qlonglong number = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        number = value.toLongLong(&ok);
        break;
    case QMetaType::QString:
        // Not QVariant::toInt: it wraps numbers beyond the int range silently.
        number = value.toString().toLongLong(&ok);
        break;
    case QMetaType::QByteArray:
        number = value.toByteArray().toLongLong(&ok);
        break;
    default:
        return std::nullopt;
    }
    if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(number);
}

std::optional<bool> booleanOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (const std::optional<int> number = integerOf(value))
        return *number != 0;
    if (const std::optional<QString> text = textOf(value)) {
        if (text->compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (text->compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return std::nullopt;
}

Result wrongType(const QString &group, const QString &name, const char *expected)
{
    return Result::failure(
        QStringLiteral("%1 is not %2").arg(keyPath(group, name), QLatin1String(expected)));
}

} // namespace

QStringList LastFilesSettings::files() const
{
    return { File1, File2, File3, File4 };
}

void LastFilesSettings::setFiles(const QStringList &files)
{
    QString *entries[] = { &File1, &File2, &File3, &File4 };
    for (qsizetype i = 0; i < 4; ++i)
        *entries[i] = i < files.size() ? files.at(i) : QString();
}

QString Settings::Key::path() const
{
    return keyPath(QLatin1String(group), QLatin1String(name));
}

Settings::Settings(std::unique_ptr<QSettings> store)
    : m_store(std::move(store))
{
    if (!m_store)
        m_store = openUserStore();
}

std::unique_ptr<QSettings> Settings::openUserStore()
{
    return std::make_unique<QSettings>(QStringLiteral("Marwenna Software"),
                                       QStringLiteral("Tarnwick"));
}

std::span<const Settings::Key> Settings::keys()
{
    return keyTable;
}

bool Settings::isFirstStart() const
{
    return m_store->allKeys().isEmpty();
}

Result Settings::ReadIni()
{
    for (const Key &key : keys()) {
        const QString group = QLatin1String(key.group);
        const QString name = QLatin1String(key.name);
        const Result read = std::visit(
            [&](auto *value) {
                if constexpr (std::is_same_v<decltype(value), QString *>)
                    return readValue(group, name, *value, key.maxLength);
                else
                    return readValue(group, name, *value);
            },
            key.member(*this));
        if (!read)
            return Result::failure(readIniError);
    }
    // Qt keeps what it could parse of a damaged file; say so, as the next
    // save rewrites it without the parts it could not read.
    if (m_store->status() == QSettings::FormatError)
        return Result::failure(readIniError);
    m_saved = values();
    return Result::success();
}

Result Settings::SaveIni()
{
    if (!m_store->isWritable())
        return Result::failure(saveIniError);
    for (const Key &key : keys()) {
        const QString group = QLatin1String(key.group);
        const QString name = QLatin1String(key.name);
        std::visit([&](auto *value) { writeValue(group, name, *value); }, key.member(*this));
    }
    m_store->sync();
    if (m_store->status() == QSettings::AccessError)
        return Result::failure(saveIniError);
    m_saved = values();
    return Result::success();
}

bool Settings::changedSinceSave()
{
    return values() != m_saved;
}

QList<QVariant> Settings::values()
{
    QList<QVariant> list;
    list.reserve(qsizetype(keys().size()));
    for (const Key &key : keys())
        std::visit([&list](auto *value) { list.append(QVariant(*value)); }, key.member(*this));
    return list;
}

std::optional<QColor> Settings::colorFromSetting(const QString &text)
{
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok);
    // Negative numbers stood for system colours, which mean nothing here.
    if (!ok || number < 0 || number > 0xFFFFFF)
        return std::nullopt;
    return QColor(int(number & 0xFF), int((number >> 8) & 0xFF), int((number >> 16) & 0xFF));
}

QString Settings::colorToSetting(const QColor &color)
{
    if (!color.isValid())
        return QString();
    const QColor rgb = color.toRgb();
    return QString::number(rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16));
}

Result Settings::readValue(const QString &group, const QString &name, bool &value)
{
    const QVariant stored = m_store->value(keyPath(group, name));
    if (!stored.isValid())
        return Result::success();
    const std::optional<bool> flag = booleanOf(stored);
    if (!flag)
        return wrongType(group, name, "a boolean");
    value = *flag;
    return Result::success();
}

Result Settings::readValue(const QString &group, const QString &name, int &value)
{
    const QVariant stored = m_store->value(keyPath(group, name));
    if (!stored.isValid())
        return Result::success();
    const std::optional<int> number = integerOf(stored);
    if (!number)
        return wrongType(group, name, "an integer");
    value = *number;
    return Result::success();
}

Result Settings::readValue(const QString &group, const QString &name, QString &value, int maxLength)
{
    const QVariant stored = m_store->value(keyPath(group, name));
    if (!stored.isValid())
        return Result::success();
    const std::optional<QString> text = textOf(stored);
    if (!text)
        return wrongType(group, name, "a text");
    value = maxLength == Key::NoCut ? *text : text->left(maxLength);
    return Result::success();
}

void Settings::writeValue(const QString &group, const QString &name, bool value)
{
    m_store->setValue(keyPath(group, name), value ? 1 : 0);
}

void Settings::writeValue(const QString &group, const QString &name, int value)
{
    m_store->setValue(keyPath(group, name), value);
}

void Settings::writeValue(const QString &group, const QString &name, const QString &value)
{
    m_store->setValue(keyPath(group, name), value);
}

} // namespace Tarnwick
