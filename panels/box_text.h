// The texts of the panels' edit boxes. Numbers are read and written in the C
// locale whatever the user's, and names travel between the scene's CP932
// bytes and Unicode without silently losing a character.
#pragma once

#include <QString>
#include <optional>
#include <string>

// The plain decimal at the start of the text ("abc" gives 0, "1.5x" 1.5).
float ReadBoxNumber(const QString& text);
// The number a box holds as the C library's atof reads it in the C locale:
// beyond the float range, an infinity or a NaN stay what they are.
double ReadBoxValue(const QString& text);
// That number clamped into [low, high], a negative zero made zero; nothing
// for a NaN, which no bound can place.
std::optional<float> BoundedBoxNumber(const QString& text, float low, float high);
// That number as a float when it is finite there (a negative zero made zero);
// nothing otherwise, and the box then goes back to what it showed before.
std::optional<float> FiniteBoxNumber(const QString& text);
// "%f" in the C locale.
QString FormatBoxNumber(float value);

// The scene's CP932 bytes for display, control characters escaped ("\x1B").
QString SceneTextToDisplay(const std::string& cp932);

// The outcome of converting a typed name to the scene's bytes.
struct SceneText {
    std::string cp932;
    // The first character CP932 cannot hold, or a double quote or control
    // character (which no Metasequoia name holds); empty when the conversion
    // succeeded.
    QString refused;
};
SceneText DisplayTextToScene(const QString& text);

class QLabel;
class QLineEdit;

// The name typed into `box` as CP932 bytes, or nothing when the box still
// shows `current` (whose bytes then stay as they are, even those that do not
// decode) or holds a character CP932 cannot store or a Metasequoia name cannot
// hold: then `message` names the character and the box shows `current` again.
std::optional<std::string> TypedName(QLineEdit* box, QLabel* message, const std::string& current);
