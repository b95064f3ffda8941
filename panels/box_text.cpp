#include "panels/box_text.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <cmath>
#include <limits>

#include "edit/typed_values.h"
#include "exchange/c_numbers.h"
#include "exchange/shown_names.h"
#include "exchange/written_names.h"
#include "scene/cp932.h"

float ReadBoxNumber(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return ParseTypedNumber(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

double ReadBoxValue(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return ParseCDouble(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

namespace {

float WithoutNegativeZero(float value) {
    return value == 0.0f ? 0.0f : value;
}

}  // namespace

std::optional<float> BoundedBoxNumber(const QString& text, float low, float high) {
    const double value = ReadBoxValue(text);
    if (std::isnan(value)) {
        return std::nullopt;
    }
    return WithoutNegativeZero(
        static_cast<float>(std::clamp(value, static_cast<double>(low), static_cast<double>(high))));
}

std::optional<float> FiniteBoxNumber(const QString& text) {
    const double value = ReadBoxValue(text);
    // NaN fails the comparison too.
    if (!(std::abs(value) <= static_cast<double>(std::numeric_limits<float>::max()))) {
        return std::nullopt;
    }
    return WithoutNegativeZero(static_cast<float>(value));
}

QString FormatBoxNumber(float value) {
    char buffer[kFixed6MaxChars];
    const char* end = FormatFixed6(buffer, value);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(end - buffer));
}

QString SceneTextToDisplay(const std::string& cp932) {
    return QString::fromStdString(ShownName(cp932));
}

SceneText DisplayTextToScene(const QString& text) {
    SceneText result;
    // A double quote or a control character could not be written to a
    // Metasequoia document; it is refused like a character CP932 lacks.
    for (const QChar c : text) {
        if (IsUnwritableNameCharacter(c.unicode())) {
            result.refused =
                c == u'"'
                    ? QString(c)
                    : QString::fromStdString(EscapeControlCharacters(QString(c).toStdString()));
            return result;
        }
    }
    int replaced = 0;
    result.cp932 = Utf8ToCp932(text.toStdString(), &replaced);
    if (replaced == 0) {
        return result;
    }
    // Rare: find the first character that does not convert, to name it.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        int characterReplaced = 0;
        Utf8ToCp932(character.toStdString(), &characterReplaced);
        if (characterReplaced > 0) {
            result.refused = character;
            break;
        }
        i += length;
    }
    if (result.refused.isEmpty()) {
        result.refused = QStringLiteral("?");
    }
    return result;
}

std::optional<std::string> TypedName(QLineEdit* box, QLabel* message, const std::string& current) {
    const QString shown = SceneTextToDisplay(current);
    if (box->text() == shown) {
        return std::nullopt;
    }
    SceneText name = DisplayTextToScene(box->text());
    if (!name.refused.isEmpty()) {
        message->setText(
            QStringLiteral("「%1」は保存できない文字です。元のままにしました。").arg(name.refused));
        box->setText(shown);
        return std::nullopt;
    }
    message->clear();
    return std::move(name.cp932);
}
