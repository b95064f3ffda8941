// Sub-commands of quorvel-cli. Each returns the process exit status:
// 0 success, 1 a file could not be read or written, 2 a usage error.
#pragma once

#include <string>
#include <vector>

class CCentigrade;
struct TextureFailure;

using Arguments = std::vector<std::string>;

int RunInfo(const Arguments& args);
int RunConvert(const Arguments& args);
int RunTextures(const Arguments& args);
int RunDecode(const Arguments& args);
int RunRender(const Arguments& args);
int RunScript(const Arguments& args);
int ListCommands(const Arguments& args);

// The scene a command reads its document into. It is never freed: the process
// ends with the command, and the system takes a big scene's memory back at
// once, where freeing it record by record costs a few percent of an open.
CCentigrade& CommandScene();

// Prints "quorvel-cli: <message>" on stderr and returns `status`.
int Fail(int status, const std::string& message);
// One line on stderr per material whose texture could not be loaded.
void ReportTextureFailures(const std::vector<TextureFailure>& failures);
