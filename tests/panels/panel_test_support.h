// Shared by the panel tests: a shown, active window around a panel, typing
// into boxes the way a user does, and saved pictures.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "document/quorvel_document.h"
#include "scene/message_sink.h"

// A window holding `panel` above a spare edit box that takes the focus when
// the test clicks "elsewhere".
class PanelWindow {
public:
    explicit PanelWindow(QWidget* panel, QSize size = QSize(260, 640));
    QWidget& Window() { return window_; }
    QLineEdit& Elsewhere() { return *elsewhere_; }

private:
    QWidget window_;
    QLineEdit* elsewhere_;
};

// Types `text` over the box's contents, then leaves it with `leaveKey`
// (Tab moves the focus on, Enter keeps it).
void TypeInto(QLineEdit* box, const QString& text, Qt::Key leaveKey = Qt::Key_Tab);
// Types `text` and then clicks the window's spare box.
void TypeAndClickElsewhere(PanelWindow& window, QLineEdit* box, const QString& text);

// Records the messages core code shows while it lives.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    std::vector<std::string> messages;

private:
    MessageSink previous_;
};

void SaveArtifact(QWidget* widget, const QString& name);

// A scene with two materials and three objects (cubes).
void FillScene(CQuorvelDoc& doc);

// The text CP932 bytes stand for, for comparing with what a widget shows.
QString Unicode(const std::string& cp932);
