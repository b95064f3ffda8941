// The window's words for a file that could not be written or read: the same
// codes the command-line tool words in English (FileFailure::Message), here
// in Japanese, naming the file.
#pragma once

#include <QString>

class DocumentError;
struct FileFailure;

// "PATH: 一時ファイルを作成できません（書き込みの許可がありません）".
QString FileFailureText(const FileFailure& failure);

// The failure's words when a file step failed, else the error's own text
// (damage the readers found, which names the line or entry).
QString DocumentErrorText(const DocumentError& error);
