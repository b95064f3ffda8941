// The main window on a fresh document, shown at 1024 × 768 with its questions
// answered from a script.
#pragma once

#include <QtTest>
#include <functional>
#include <utility>

#include "app/main_frame.h"
#include "document/quorvel_document.h"
#include "scripted_prompts.h"

// The tool commands of the tool bar and the tool each chooses.
inline const std::pair<const char*, int> kToolCommands[] = {
    {"tool.select", ToolSelect},
    {"tool.range", ToolRangeSelect},
    {"tool.move", ToolMove},
    {"tool.rotate", ToolRotate},
    {"tool.scale", ToolScale},
    {"tool.paint", ToolPaintMaterial},
    {"tool.delete_face", ToolDeleteFace},
};

inline const char* ToolCommandId(int toolMode) {
    for (const auto& [id, tool] : kToolCommands) {
        if (tool == toolMode) {
            return id;
        }
    }
    qFatal("no such tool");
}

struct ShownFrame {
    // `prepare` fills the new document before the window first shows it.
    explicit ShownFrame(const std::function<void(CQuorvelDoc&)>& prepare = {})
        : frame(doc, &prompts) {
        doc.NewDocument();
        if (prepare) {
            prepare(doc);
        }
        frame.resize(1024, 768);
        frame.show();
        if (!QTest::qWaitForWindowExposed(&frame)) {
            qFatal("main window not exposed");
        }
    }
    CCentigrade& Scene() { return doc.Scene(); }
    CDocumentCommands& Commands() { return frame.Commands(); }

    CQuorvelDoc doc;
    ScriptedPrompts prompts;
    CMainFrame frame;
};
