// The texts of the panels' edit boxes. Numbers are read and written in the C
// locale whatever the user's, and names travel between the scene's CP932
// bytes and Unicode without silently losing a character.
#pragma once

#include <QString>
#include <string>

// The plain decimal at the start of the text ("abc" gives 0, "1.5x" 1.5).
float ReadBoxNumber(const QString& text);
// "%f" in the C locale.
QString FormatBoxNumber(float value);

QString SceneTextToDisplay(const std::string& cp932);

// The outcome of converting a typed name to the scene's bytes.
struct SceneText {
    std::string cp932;
    // The first character CP932 cannot hold; empty when the conversion succeeded.
    QString refused;
};
SceneText DisplayTextToScene(const QString& text);

// What a form says when a typed name keeps a character it cannot store.
QString RefusedCharacterMessage(const QString& character);
