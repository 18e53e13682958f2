#include "platform/clipboard/ClipboardText.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QStringList>

namespace {

constexpr QLatin1StringView Utf8Format("text/plain;charset=utf-8");

// Converts for the named format on request, as Qt does for its own formats,
// rather than holding the text twice.
class PlainText final : public QMimeData
{
public:
    QStringList formats() const override { return QMimeData::formats() << QString(Utf8Format); }

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override
    {
        const QString plain = QStringLiteral("text/plain");
        const bool wantsText = type == QMetaType::fromType<QString>();
        // QMimeData::text() asks for this format first: it gets the text
        // itself, not a round trip through UTF-8 that would lose unpaired
        // surrogates and cost two conversions.
        if (mimeType == Utf8Format && wantsText)
            return QMimeData::retrieveData(plain, type);
        if (mimeType == Utf8Format || (mimeType == plain && !wantsText))
            return utf8();
        return QMimeData::retrieveData(mimeType, type);
    }

private:
    // Encoded once, and shared by every paste: X11 pastes of a large text go
    // in pieces, each paste under way holding what it was given.
    const QByteArray &utf8() const
    {
        if (m_utf8.isNull())
            m_utf8 = QMimeData::retrieveData(QStringLiteral("text/plain"), QMetaType::fromType<QString>())
                         .toString()
                         .toUtf8();
        return m_utf8;
    }

    mutable QByteArray m_utf8;
};

} // namespace

QMimeData *clipboardText(const QString &text)
{
    auto *data = new PlainText;
    data->setText(text);
    data->setData(ownCopyType(), QByteArray());
    return data;
}

bool madeByClipboardText(const QMimeData &data)
{
    return dynamic_cast<const PlainText *>(&data) != nullptr;
}

QString ownCopyType()
{
    return QStringLiteral("application/x-tessivan-copy-%1").arg(QCoreApplication::applicationPid());
}

QString plainTextOf(const QMimeData &data)
{
    // Held in this process, as the program's own copies are: nothing to
    // wait for, and text() keeps every character. Qt's stand-ins for data
    // that another program holds are QInternalMimeData.
    if (!data.inherits("QInternalMimeData"))
        return data.text();
    const QStringList types = data.formats();
    for (const QString &type : {QString(Utf8Format), QStringLiteral("text/plain")}) {
        // Qt delivers text/plain as UTF-8 whatever the owner's encoding.
        if (types.contains(type))
            return QString::fromUtf8(data.data(type));
    }
    return {};
}
