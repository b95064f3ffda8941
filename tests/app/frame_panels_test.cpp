// The side panels inside the main window: a document opened in the frame
// fills both lists, the lists open their forms, a pick in the view marks the
// object's row, and a panel edit redraws the view.
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

#include "app/gl_format.h"
#include "app/main_frame.h"
#include "app/quorvel_view.h"
#include "document/quorvel_document.h"
#include "panels/commit_line_edit.h"
#include "panels/display_view.h"
#include "panels/material_property_view.h"
#include "panels/material_view.h"
#include "panels/model_view.h"
#include "panels/scene_rows_model.h"
#include "private_home.h"
#include "scripted_prompts.h"
#include "view_test_support.h"

class FramePanelsTest : public QObject {
    Q_OBJECT

private slots:
    void panelsFollowTheDocumentInTheFrame() {
        CQuorvelDoc doc;
        ScriptedPrompts prompts;
        CMainFrame frame(doc, &prompts);
        doc.NewDocument();
        frame.resize(1024, 768);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(doc.OpenFile(QStringLiteral(QUORVEL_SOURCE_DIR "/samples/sample.qvl")).Succeeded());

        auto* objects = qobject_cast<CModelView*>(frame.Panes().objectList);
        auto* materials = qobject_cast<CMaterialView*>(frame.Panes().materialList);
        QVERIFY(objects && materials);
        QCOMPARE(objects->Rows()->rowCount(), int(doc.Scene().models.size()));
        QCOMPARE(materials->Rows()->rowCount(), int(doc.Scene().materials.size()));
        QVERIFY(materials->Rows()->rowCount() > 0);

        const QPoint firstMaterial = materials->visualRect(materials->Rows()->index(0, 1)).center();
        QTest::mouseDClick(materials->viewport(), Qt::LeftButton, {}, firstMaterial);
        QCOMPARE(frame.CurrentPage(), int(PageMaterial));
        auto* form =
            frame.Panes().propertyPane->currentWidget()->findChild<CMaterialPropertyView*>();
        QVERIFY(form);
        QCOMPARE(form->NameBox()->text(), materials->Rows()->index(0, 1).data().toString());

        QVERIFY(doc.Run("object.current", {{"object", 1}}).Done());
        QCOMPARE(objects->MarkedRow(), 1);

        auto* bar = qobject_cast<CDisplayView*>(frame.Panes().displayBar);
        QVERIFY(bar);
        QSignalSpy redraws(&doc, &CQuorvelDoc::changed);
        QTest::mouseClick(bar->Toggle(DisplayFlag::Edges), Qt::LeftButton);
        QVERIFY(doc.Scene().showEdges);
        QCOMPARE(redraws.size(), 1);
        QCoreApplication::processEvents();
        SaveArtifact(frame.grab().toImage(), QStringLiteral("main_window_with_panels"));
    }
};

QUORVEL_PRIVATE_HOME_TEST_MAIN(FramePanelsTest)

#include "frame_panels_test.moc"
