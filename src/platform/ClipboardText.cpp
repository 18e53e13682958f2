#include "platform/ClipboardText.h"

#include <QMimeData>

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
        // Not text(), which asks for this very format first.
        if (mimeType == Utf8Format)
            return QMimeData::retrieveData(QStringLiteral("text/plain"), QMetaType::fromType<QString>())
                .toString()
                .toUtf8();
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
