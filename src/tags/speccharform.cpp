// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/speccharform.h"

#include "platform/prompter.h"
#include "tags/specialcharacters.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace Tarnwick {

namespace {

const QString barRefused = QStringLiteral(
    "A \"|\" cannot be used as a special character or in its HTML code: it separates the two.");

} // namespace

TSpecCharForm::TSpecCharForm(SpecialCharacters *characters, Prompter *prompter, QWidget *parent)
    : QDialog(parent)
    , m_characters(characters)
    , m_prompter(prompter)
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    setObjectName(QStringLiteral("SpecCharForm"));
    setWindowTitle(QStringLiteral("Special Characters"));

    const QFontMetrics metrics(font());
    const int w = metrics.horizontalAdvance(QLatin1Char('W'));
    const int rowHeight = metrics.height() + 6;
    auto *characterHeading = new QLabel(QStringLiteral("Character:"), this);
    characterHeading->move(20, 13);
    auto *codeHeading = new QLabel(QStringLiteral("HTML code to output:"), this);
    codeHeading->move(85, 13);
    const int top = 13; // row 0 is the headings'

    const QList<SpecialCharacters::Slot> stored = m_characters->readSlots();
    for (int n = 1; n <= SpecialCharacters::slotCount; ++n) {
        auto *character = new QLineEdit(this);
        character->setObjectName(QStringLiteral("Char%1").arg(n));
        character->setMaxLength(1);
        character->setGeometry(20, top + n * rowHeight, 2 * w + 8, rowHeight - 2);
        auto *code = new QLineEdit(this);
        code->setObjectName(QStringLiteral("Code%1").arg(n));
        code->setMaxLength(SpecialCharacters::maxCode);
        code->setGeometry(85, top + n * rowHeight, 10 * w, rowHeight - 2);
        const SpecialCharacters::Slot slot = stored.value(n - 1);
        if (!slot.isEmpty()) {
            character->setText(slot.character);
            code->setText(slot.code);
        }
        m_characterBoxes.append(character);
        m_codeBoxes.append(code);
    }
    const int buttonsTop = top + (SpecialCharacters::slotCount + 1) * rowHeight + 8;
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    m_ok->setDefault(true);
    const int right = 85 + 10 * w;
    m_ok->setGeometry(right - 170, buttonsTop, 80, 26);
    m_cancel->setGeometry(right - 80, buttonsTop, 80, 26);
    setFixedSize(right + 20, buttonsTop + 26 + 12);

    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (OKBtnClick())
            accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QGuiApplication::restoreOverrideCursor();
}

bool TSpecCharForm::OKBtnClick()
{
    for (int row = 0; row < m_characterBoxes.size(); ++row) {
        if (m_characterBoxes[row]->text().contains(QLatin1Char('|'))
            || m_codeBoxes[row]->text().contains(QLatin1Char('|'))) {
            m_prompter->warning(barRefused);
            m_codeBoxes[row]->setFocus();
            return false;
        }
    }
    for (int row = 0; row < m_characterBoxes.size(); ++row)
        m_characters->writeSlot(row + 1, m_characterBoxes[row]->text(), m_codeBoxes[row]->text());
    return true;
}

} // namespace Tarnwick
