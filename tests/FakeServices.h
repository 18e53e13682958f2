#pragma once

#include "platform/services/Services.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// Services that record what the handlers ask of them, and fail on request.
class FakeServices : public Services
{
public:
    Status clearClipboard() override
    {
        calls << QStringLiteral("clearClipboard");
        clipboard.clear();
        return Status::success();
    }

    Status setClipboardText(const QString &text) override
    {
        calls << QStringLiteral("setClipboardText");
        if (clipboardFails)
            return Status::error(ErrorNumber::ClipboardNotSet, QStringLiteral("refused on purpose"));
        clipboard = text;
        return Status::success();
    }

    Status openUrl(const QUrl &url) override
    {
        calls << QStringLiteral("openUrl");
        if (browserFails)
            return Status::error(ErrorNumber::BrowserNotStarted, QStringLiteral("refused on purpose"));
        openedUrls << url.toString();
        return Status::success();
    }

    void showInformation(QWidget *, const QString &text) override
    {
        calls << QStringLiteral("showInformation");
        informations << text;
    }

    void reportError(QWidget *, const Status &status) override
    {
        calls << QStringLiteral("reportError");
        errors << status.message();
    }

    QString clipboard = QStringLiteral("held before");
    bool clipboardFails = false;
    bool browserFails = false;
    QStringList calls;
    QStringList openedUrls;
    QStringList informations;
    QStringList errors;
};
