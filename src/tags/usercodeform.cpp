// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/usercodeform.h"

#include "platform/prompter.h"
#include "tags/menufile.h"
#include "tags/tagmenus.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace Tarnwick {

TUserCodeForm::TUserCodeForm(TagMenus *menus, Prompter *prompter, QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) // no border icons
    , m_menus(menus)
    , m_prompter(prompter)
    , m_pages(new QTabWidget(this))
    , m_ok(new QPushButton(QStringLiteral("&Ok"), this))
    , m_close(new QPushButton(QStringLiteral("Close"), this))
{
    setObjectName(QStringLiteral("UserCodeForm"));
    setWindowTitle(QStringLiteral("Definable Tags"));
    static const char *const names[MenuFile::menuCount] = { "BlockTags", "TextTags", "UserTags" };
    for (int i = 0; i < MenuFile::menuCount; ++i) {
        m_boxes[i] = new QPlainTextEdit(m_pages);
        m_boxes[i]->setObjectName(QLatin1String(names[i]));
        m_boxes[i]->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_boxes[i]->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        m_pages->addTab(m_boxes[i], MenuFile::pageCaption(i));
    }
    m_ok->setObjectName(QStringLiteral("OkBtn"));
    m_close->setObjectName(QStringLiteral("CloseBtn"));
    m_ok->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    resize(520, 380);

    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (OkBtnClick())
            accept();
    });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    FormShow();
}

void TUserCodeForm::FormShow()
{
    bool unreadable = false;
    for (int i = 0; i < MenuFile::menuCount; ++i) {
        const Expected<UserFileContent> content = UserFile::read(m_menus->filePath(i));
        m_readable[i] = content.ok();
        if (!content) {
            unreadable = true;
            // A file that is not text stays as it is: its box cannot be saved over it.
            m_boxes[i]->setReadOnly(true);
            continue;
        }
        m_files[i] = *content;
        m_boxes[i]->setPlainText(content->lines.join(QLatin1Char('\n')));
    }
    if (unreadable)
        m_prompter->warning(QStringLiteral("Exception occured during FormShow!"));
}

bool TUserCodeForm::OkBtnClick()
{
    for (int i = 0; i < MenuFile::menuCount; ++i) {
        if (!m_readable[i])
            continue;
        const QStringList lines = UserFile::splitLines(m_boxes[i]->toPlainText());
        if (const Result written = UserFile::write(m_menus->filePath(i), lines, m_files[i].format);
            !written) {
            m_prompter->error(written.error());
            return false;
        }
    }
    m_menus->reloadAll();
    return true;
}

} // namespace Tarnwick
