#include "platform/clipboard/ClipboardText.h"

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
        // QMimeData::text() asks for this format first: it gets the text
        // itself, not a round trip through UTF-8 that would lose unpaired
        // surrogates and cost two conversions.
        if (mimeType == Utf8Format) {
            const QVariant text = QMimeData::retrieveData(QStringLiteral("text/plain"), type);
            return type == QMetaType::fromType<QString>() ? text : QVariant(text.toString().toUtf8());
        }
        return QMimeData::retrieveData(mimeType, type);
    }
};

} // namespace

QMimeData *clipboardText(const QString &text)
{
    auto *data = new PlainText;
    data->setText(text);
    return data;
}

QString plainTextOf(const QMimeData &data)
{
    // The program's own: nothing to wait for, and text() keeps every character.
    if (dynamic_cast<const PlainText *>(&data))
        return data.text();
    const QStringList types = data.formats();
    for (const QString &type : {QString(Utf8Format), QStringLiteral("text/plain")}) {
        // Qt delivers text/plain as UTF-8 whatever the owner's encoding.
        if (types.contains(type))
            return QString::fromUtf8(data.data(type));
    }
    return {};
}
