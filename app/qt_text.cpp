#include "app/qt_text.h"

#include <QCoreApplication>
#include <QStringList>

#include "platform/encoding.h"
#include "platform/paths.h"

namespace vantrel {

QString FromWin1252(std::string_view text) {
    const std::string utf8 = Cp1252ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool ToWin1252(const QString& text, std::string& out) {
    const QByteArray utf8 = text.toUtf8();
    std::string converted;
    if (!Utf8ToCp1252(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())),
                      converted))
        return false;
    out = std::move(converted);
    return true;
}

std::string ToWin1252Lossy(const QString& text) {
    std::string out, one;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        out += ToWin1252(text.mid(i, len), one) ? one : std::string("?");
        i += len;
    }
    return out;
}

QString UnstorableCharacters(const QString& text) {
    QString found;
    std::string ignored;
    // Walk by code point so that characters outside the basic plane stay whole.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, len);
        if (!ToWin1252(one, ignored) && !found.contains(one))
            found += one;
        i += len;
    }
    return found;
}

QString UnstorableMessage(const QString& field, const QString& characters) {
    QStringList shown;
    for (qsizetype i = 0; i < characters.size();) {
        const qsizetype len =
            characters.at(i).isHighSurrogate() && i + 1 < characters.size() ? 2 : 1;
        shown << characters.mid(i, len);
        i += len;
    }
    return QCoreApplication::translate(
               "vantrel",
               "%1 contains characters that a setup cannot store: %2\n\n"
               "Please use only characters of the Western European (Windows-1252) "
               "character set.")
        .arg(field, shown.join(QLatin1Char(' ')));
}

}  // namespace vantrel

namespace vantrel {

QString NativePath(std::string_view enginePath) {
    return QString::fromStdString(ToNative(enginePath).string());
}

bool Win1252Path(const QString& nativePath, std::string& out) {
    return FromNative(std::filesystem::path(nativePath.toStdString()), out);
}

}  // namespace vantrel
