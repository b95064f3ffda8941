// Names as the text formats can hold them. A Metasequoia name is a quoted
// string without escapes: a double quote would end it early and a control
// character (a line end above all) break the document's lines. OBJ and MTL
// names run to the end of their line, and other programs split them at
// blanks. Writers replace what a format cannot hold, and say so in the loss
// notice of the export; the panels refuse such characters when typed.
#pragma once

#include <string>
#include <string_view>

// '"' and the control characters (below 0x20, and 0x7F): characters no name
// in a Metasequoia document can hold.
constexpr bool IsUnwritableNameCharacter(char32_t c) {
    return c == U'"' || c < 0x20 || c == 0x7F;
}

// `cp932` as a Metasequoia name: '"' becomes "'", a control character a
// space, and a lead byte left without its second byte at the end "?" (the
// reader would take the closing quote for that byte). A name that is just
// "}" becomes "'}'": read back, it would end the chunk of materials.
std::string MqoWrittenName(std::string_view cp932);
bool IsMqoWritable(std::string_view cp932);

// `utf8` as an OBJ or MTL name ("o", "g", "usemtl", "newmtl", the "mtllib"
// file name): blanks and control characters become "_".
std::string ObjWrittenName(std::string_view utf8);
bool IsObjWritable(std::string_view utf8);

// `utf8` as an OBJ or MTL file name after "map_Kd" and the like, where blanks
// are kept: control characters become "_".
std::string ObjWrittenFileName(std::string_view utf8);
bool IsObjFileNameWritable(std::string_view utf8);
