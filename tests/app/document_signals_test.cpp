// Each kind of command, and each edit made outside the command table, reaches
// the document's followers as the typed signals of what it changed, and the
// modified flag follows its history step.
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "document/quorvel_document.h"
#include "support/mesh_generators.h"

namespace {

struct SignalCounts {
    int history = 0;
    int modified = 0;
    int inserted = 0;
    int removed = 0;
    int changed = 0;
    int materialsInserted = 0;
    int currentObject = 0;
    int selection = 0;
    int tool = 0;
};

}  // namespace

class DocumentSignalsTest : public QObject {
    Q_OBJECT

private:
    static SignalCounts Run(CQuorvelDoc& doc, const char* id, const Values& values = {}) {
        return Count(doc, [&] { doc.Run(id, values); });
    }

    static SignalCounts Count(CQuorvelDoc& doc, const std::function<void()>& edit) {
        QSignalSpy history(&doc, &CQuorvelDoc::historyChanged);
        QSignalSpy modified(&doc, &CQuorvelDoc::modifiedChanged);
        QSignalSpy inserted(&doc, &CQuorvelDoc::objectsInserted);
        QSignalSpy removed(&doc, &CQuorvelDoc::objectsRemoved);
        QSignalSpy changed(&doc, &CQuorvelDoc::objectChanged);
        QSignalSpy materials(&doc, &CQuorvelDoc::materialsInserted);
        QSignalSpy current(&doc, &CQuorvelDoc::currentObjectChanged);
        QSignalSpy selection(&doc, &CQuorvelDoc::selectionChanged);
        QSignalSpy tool(&doc, &CQuorvelDoc::toolChanged);
        edit();
        return {static_cast<int>(history.count()),  static_cast<int>(modified.count()),
                static_cast<int>(inserted.count()), static_cast<int>(removed.count()),
                static_cast<int>(changed.count()),  static_cast<int>(materials.count()),
                static_cast<int>(current.count()),  static_cast<int>(selection.count()),
                static_cast<int>(tool.count())};
    }

private slots:
    void eachKindOfCommandSaysWhatItChanged() {
        CQuorvelDoc doc;
        doc.Scene().models.push_back(MakeCube(1.0f));
        doc.Scene().currentModel = 0;

        SignalCounts s = Run(doc, "select.all");
        QCOMPARE(s.selection, 1);
        QCOMPARE(s.changed, 1);
        QCOMPARE(s.history, 0);
        QVERIFY(!doc.IsModified());

        s = Run(doc, "face.delete");
        QCOMPARE(s.history, 1);
        QCOMPARE(s.modified, 1);
        QVERIFY(doc.IsModified());
        QCOMPARE(doc.Scene().models[0].faces.size(), std::size_t{0});

        s = Run(doc, "edit.undo");
        QCOMPARE(s.history, 1);
        QCOMPARE(s.modified, 1);
        QVERIFY(!doc.IsModified());
        QCOMPARE(doc.Scene().models[0].faces.size(), std::size_t{6});

        s = Run(doc, "create.cube");
        QCOMPARE(s.inserted, 1);
        QCOMPARE(s.currentObject, 1);
        QVERIFY(doc.IsModified());

        s = Run(doc, "tool.move");
        QCOMPARE(s.tool, 1);
        QCOMPARE(s.history, 0);
    }

    // An edit outside the command table (a click or drag in the view)
    // reports through Changed what the scene shows changed since its ledger.
    void editsOutsideTheTableSignalAsCommandsDo() {
        CQuorvelDoc doc;
        doc.Scene().models.push_back(MakeCube(1.0f));
        doc.Scene().currentModel = 0;
        doc.Replaced();

        const SceneLedger before(doc.Scene());
        doc.Scene().models[0].faces[0].selected = true;
        doc.Scene().models[0].TouchSelection();
        const SignalCounts s = Count(doc, [&] { doc.Changed(before, false); });
        QCOMPARE(s.changed, 1);
        QCOMPARE(s.selection, 1);
        QCOMPARE(s.history, 0);
        QVERIFY(!doc.IsModified());
    }

    // A recovered document names its missing textures as an opened one does.
    void recoveryReportsMissingTextures() {
        QTemporaryDir folder;
        const QString saved = folder.filePath(QStringLiteral("lost.qvl"));
        {
            CQuorvelDoc doc;
            doc.Scene().materials.emplace_back(0);
            doc.Scene().materials[0].texture = "missing.bmp";
            doc.Scene().models.push_back(MakeCube(1.0f));
            QVERIFY(doc.SaveFile(saved).Succeeded());
        }
        CQuorvelDoc doc;
        QSignalSpy failures(&doc, &CQuorvelDoc::textureFailed);
        RecoverableAutosave autosave;
        autosave.file = saved.toStdString();
        autosave.document = autosave.file;
        QVERIFY(doc.Recover(autosave).Succeeded());
        QCOMPARE(failures.count(), 1);
        QVERIFY(failures[0][0].toString().contains(QStringLiteral("missing.bmp")));
    }

    void aRefusedCommandSignalsNothing() {
        CQuorvelDoc doc;
        QSignalSpy performed(&doc, &CQuorvelDoc::changed);
        const CommandOutcome outcome = doc.Run("face.delete");
        QVERIFY(!outcome.Done());
        QVERIFY(!doc.Run("no.such.command").Done());
        QCOMPARE(performed.count(), 0);
        QVERIFY(!doc.IsModified());
    }
};

QTEST_GUILESS_MAIN(DocumentSignalsTest)
#include "document_signals_test.moc"
