// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtprompter.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace Tarnwick {

namespace {

QMessageBox::Icon iconOf(Prompter::Kind kind)
{
    switch (kind) {
    case Prompter::Kind::Warning:
        return QMessageBox::Warning;
    case Prompter::Kind::Error:
        return QMessageBox::Critical;
    case Prompter::Kind::Information:
        return QMessageBox::Information;
    case Prompter::Kind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsOf(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::Ok:
        return QMessageBox::Ok;
    case Prompter::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompter::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompter::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// What closing the box means: Cancel where there is one, else No, else Ok.
Prompter::Answer closingAnswer(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::Ok:
        return Prompter::Answer::Ok;
    case Prompter::Buttons::YesNo:
        return Prompter::Answer::No;
    case Prompter::Buttons::OkCancel:
    case Prompter::Buttons::YesNoCancel:
        return Prompter::Answer::Cancel;
    }
    return Prompter::Answer::Cancel;
}

QMessageBox::StandardButton standardButtonOf(Prompter::Answer answer)
{
    switch (answer) {
    case Prompter::Answer::Ok:
        return QMessageBox::Ok;
    case Prompter::Answer::Cancel:
        return QMessageBox::Cancel;
    case Prompter::Answer::Yes:
        return QMessageBox::Yes;
    case Prompter::Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Cancel;
}

std::optional<Prompter::Answer> answerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return Prompter::Answer::Ok;
    case QMessageBox::Cancel:
        return Prompter::Answer::Cancel;
    case QMessageBox::Yes:
        return Prompter::Answer::Yes;
    case QMessageBox::No:
        return Prompter::Answer::No;
    default:
        return std::nullopt;
    }
}

std::optional<QString> chosen(const QString &path)
{
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

} // namespace

QtPrompter::QtPrompter(QWidget *parent)
    : m_parent(parent)
{
}

Prompter::Answer QtPrompter::message(Kind kind, const QString &text, Buttons buttons)
{
    QMessageBox box(iconOf(kind), QGuiApplication::applicationDisplayName(), text,
                    buttonsOf(buttons), m_parent);
    // Messages quote markup and file names; show them as they are.
    box.setTextFormat(Qt::PlainText);
    const Answer onClose = closingAnswer(buttons);
    box.setEscapeButton(box.button(standardButtonOf(onClose)));
    box.exec();
    return answerOf(box.standardButton(box.clickedButton())).value_or(onClose);
}

std::optional<QString> QtPrompter::inputText(const QString &caption, const QString &prompt,
                                             const QString &initial)
{
    bool ok = false;
    const QString text
        = QInputDialog::getText(m_parent, caption, prompt, QLineEdit::Normal, initial, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

std::optional<QString> QtPrompter::inputSecret(const QString &caption, const QString &prompt)
{
    bool ok = false;
    const QString text
        = QInputDialog::getText(m_parent, caption, prompt, QLineEdit::Password, QString(), &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

std::optional<QString> QtPrompter::openFileName(const FileRequest &request)
{
    const QStringList filters = toQtFilters(request.filter);
    QString selected = filters.value(request.filterIndex);
    return chosen(QFileDialog::getOpenFileName(m_parent, request.caption, startPath(request),
                                               filters.join(QStringLiteral(";;")), &selected));
}

std::optional<QStringList> QtPrompter::openFileNames(const FileRequest &request)
{
    const QStringList filters = toQtFilters(request.filter);
    QString selected = filters.value(request.filterIndex);
    const QStringList paths
        = QFileDialog::getOpenFileNames(m_parent, request.caption, startPath(request),
                                        filters.join(QStringLiteral(";;")), &selected);
    return paths.isEmpty() ? std::nullopt : std::optional<QStringList>(paths);
}

std::optional<QString> QtPrompter::saveFileName(const FileRequest &request)
{
    const QStringList filters = toQtFilters(request.filter);
    QString selected = filters.value(request.filterIndex);
    // The program asks "Overwrite existing file?" itself.
    return chosen(QFileDialog::getSaveFileName(m_parent, request.caption, startPath(request),
                                               filters.join(QStringLiteral(";;")), &selected,
                                               QFileDialog::DontConfirmOverwrite));
}

std::optional<QString> QtPrompter::directoryName(const QString &caption, const QString &start)
{
    return chosen(QFileDialog::getExistingDirectory(m_parent, caption, start));
}

std::optional<QColor> QtPrompter::chooseColor(const QColor &initial)
{
    const QColor color = QColorDialog::getColor(initial, m_parent);
    return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}

std::optional<QFont> QtPrompter::chooseFont(const QFont &initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, m_parent);
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

QStringList QtPrompter::toQtFilters(const QString &filter)
{
    const QStringList fields = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        QStringList patterns = fields.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            pattern = pattern.trimmed();
            // "*.*" means every file, also those without a point in their name.
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        patterns.removeAll(QString());
        if (patterns.isEmpty())
            patterns.append(QStringLiteral("*"));
        const QString joined = patterns.join(QLatin1Char(' '));
        QString label = fields.at(i).trimmed();
        // ";;" separates Qt's filters; it must not appear inside one.
        label.replace(QStringLiteral(";;"), QStringLiteral(";"));
        if (label.isEmpty())
            label = joined;
        filters.append(label + QStringLiteral(" (") + joined + QLatin1Char(')'));
    }
    return filters;
}

QString QtPrompter::startPath(const FileRequest &request)
{
    if (request.fileName.isEmpty())
        return request.directory;
    if (request.directory.isEmpty() || QDir::isAbsolutePath(request.fileName))
        return request.fileName;
    return QDir(request.directory).filePath(request.fileName);
}

} // namespace Tarnwick
