// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/aboutbox.h"

#include "app/splashwindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace Tarnwick {

AboutBox::AboutBox(const QString &programDirectory, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Tarnwick"));

    auto *picture = new QLabel(this);
    picture->setPixmap(SplashWindow::picture());
    auto *text = new QLabel(this);
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    text->setText(
        QStringLiteral("<p><b>Tarnwick</b> %1 &mdash; an editor for hand-written HTML pages and "
                       "small web sites.</p>"
                       "<p>Copyright &copy; Marwenna Software. Tarnwick is free software under "
                       "the GNU General Public License, version 3 or later.</p>"
                       "<p>Your Tarnwick home: <tt>%2</tt></p>")
            .arg(QStringLiteral(TARNWICK_VERSION), programDirectory.toHtmlEscaped()));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(text);
    layout->addWidget(buttons);
    setFixedWidth(SplashWindow::picture().width() + 24);
}

} // namespace Tarnwick
