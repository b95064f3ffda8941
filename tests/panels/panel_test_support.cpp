#include "panel_test_support.h"

#include <QDir>
#include <QtTest>

#include "support/mesh_generators.h"

PanelWindow::PanelWindow(QWidget* panel, QSize size) : elsewhere_(new QLineEdit(&window_)) {
    auto* layout = new QVBoxLayout(&window_);
    layout->addWidget(panel, 1);
    elsewhere_->setAccessibleName(QStringLiteral("elsewhere"));
    layout->addWidget(elsewhere_);
    window_.resize(size);
    window_.show();
    window_.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window_));
}

namespace {

// ASCII arrives as keys; anything else as an input method commits it.
void Type(QLineEdit* box, const QString& text) {
    box->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(box->hasFocus());
    box->selectAll();
    bool ascii = true;
    for (QChar c : text) {
        ascii = ascii && c.unicode() < 0x80;
    }
    if (ascii) {
        QTest::keyClicks(box, text);
        return;
    }
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

}  // namespace

void TypeInto(QLineEdit* box, const QString& text, Qt::Key leaveKey) {
    Type(box, text);
    QTest::keyClick(box, leaveKey);
}

void TypeAndClickElsewhere(PanelWindow& window, QLineEdit* box, const QString& text) {
    Type(box, text);
    QTest::mouseClick(&window.Elsewhere(), Qt::LeftButton);
    QTRY_VERIFY(window.Elsewhere().hasFocus());
}

void SaveArtifact(QWidget* widget, const QString& name) {
    const QString folder = QStringLiteral(QUORVEL_ARTIFACT_DIR);
    QDir().mkpath(folder);
    QVERIFY(widget->grab().save(folder + "/" + name + ".png"));
}

void FillScene(CQuorvelDoc& doc) {
    CCentigrade& scene = doc.Scene();
    scene.materials.clear();
    scene.models.clear();
    const char* materialNames[] = {"wood", "\x8b\xe0\x91\xae"};  // 金属
    for (int i = 0; i < 2; ++i) {
        CMaterial material(i);
        material.name = materialNames[i];
        material.red = i == 0 ? 0.6f : 0.2f;
        material.green = 0.4f;
        material.blue = i == 0 ? 0.2f : 0.8f;
        material.UpdateColors();
        scene.materials.push_back(material);
    }
    const char* modelNames[] = {"box", "\x94\xa0", "lid"};  // 箱
    for (int i = 0; i < 3; ++i) {
        CModel model = MakeCube(10.0f * static_cast<float>(i + 1));
        model.name = modelNames[i];
        model.ComputeNormals(scene.smooth);
        scene.models.push_back(std::move(model));
    }
    scene.currentMaterial = 0;
    scene.currentModel = 0;
}
