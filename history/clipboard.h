// What cut, copy and paste put on and take from the clipboard: the selected
// faces of editable objects, with the vertices they use and their materials,
// as a Metasequoia document text, which any text editor or other modeler can
// take too. The clipboard itself belongs to the application.
#pragma once

#include <string>
#include <string_view>

class CCentigrade;
class EditHistory;

// The document text, one object for each editable object with selected faces;
// empty when no face is selected.
std::string CopySelectedFaces(const CCentigrade& scene);

// Copy, then removal of those faces as one step ("切り取り"). Returns the text.
std::string CutSelectedFaces(EditHistory& history, CCentigrade& scene);

// Whether `text` looks like something PasteFaces can take.
bool IsPasteableText(std::string_view text);

struct PasteOutcome {
    std::size_t objects = 0;           // objects added
    std::size_t firstNewMaterial = 0;  // materials from here on are new: their textures
                                       // are still to be loaded
    std::string failure;               // why nothing was added
};

// Adds the objects of a Metasequoia document text as new objects, as one step
// ("貼り付け"). A material whose line in the document equals that of a
// material of the scene (same name and values) is reused; the others are
// added. A text that cannot be read completely adds nothing.
PasteOutcome PasteFaces(EditHistory& history, CCentigrade& scene, std::string_view text);
