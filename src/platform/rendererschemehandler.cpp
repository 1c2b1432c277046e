// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/rendererschemehandler.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace Tarnwick {

namespace {

const QString documentQueryKey = QStringLiteral("document=");

QString directoryWithSlash(const QString &directory)
{
    QString path = QDir::cleanPath(QDir(directory.isEmpty() ? QDir::currentPath() : directory).absolutePath());
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

} // namespace

const QByteArray &RendererSchemeHandler::scheme()
{
    static const QByteArray name = QByteArrayLiteral("tarnwick-view");
    return name;
}

void RendererSchemeHandler::registerScheme()
{
    if (QWebEngineUrlScheme::schemeByName(scheme()).name() == scheme())
        return;
    QWebEngineUrlScheme definition(scheme());
    definition.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Local like file:, and allowed to reach file: addresses written in the page.
    definition.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed
                        | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(definition);
}

RendererSchemeHandler::RendererSchemeHandler(QObject *parent)
    : QWebEngineUrlSchemeHandler(parent)
{
}

QUrl RendererSchemeHandler::setDocument(const QString &text, const QString &baseDirectory)
{
    m_document = text.toUtf8();
    m_documentUrl = QUrl();
    m_documentUrl.setScheme(QString::fromLatin1(scheme()));
    m_documentUrl.setPath(directoryWithSlash(baseDirectory));
    m_documentUrl.setQuery(documentQueryKey + QString::number(++m_generation));
    return m_documentUrl;
}

bool RendererSchemeHandler::isDocument(const QUrl &url) const
{
    return !m_documentUrl.isEmpty() && url.adjusted(QUrl::RemoveFragment) == m_documentUrl;
}

QUrl RendererSchemeHandler::toFileUrl(const QUrl &url)
{
    if (url.scheme() != QLatin1String(scheme()))
        return url;
    QUrl file = QUrl::fromLocalFile(url.path());
    file.setFragment(url.fragment());
    if (!url.query().startsWith(documentQueryKey))
        file.setQuery(url.query());
    return file;
}

void RendererSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    const QUrl url = job->requestUrl();
    if (isDocument(url)) {
        auto *buffer = new QBuffer(job);
        buffer->setData(m_document);
        job->reply(QByteArrayLiteral("text/html;charset=utf-8"), buffer);
        return;
    }
    const QString path = url.path();
    if (path.isEmpty() || QFileInfo(path).isDir()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto *file = new QFile(path, job);
    if (!file->open(QIODevice::ReadOnly)) {
        job->fail(file->exists() ? QWebEngineUrlRequestJob::RequestDenied : QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    static const QMimeDatabase mimeTypes;
    const QByteArray type = mimeTypes.mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toLatin1();
    job->reply(type, file);
}

} // namespace Tarnwick
