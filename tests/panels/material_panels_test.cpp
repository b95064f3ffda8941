// The material list and the material form.
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>
#include <cmath>
#include <filesystem>

#include "commands/material_edits.h"
#include "document/texture_names.h"
#include "image/dib_stream.h"
#include "image/texture_files.h"
#include "panel_test_support.h"
#include "panels/box_text.h"
#include "panels/commit_line_edit.h"
#include "panels/material_property_view.h"
#include "panels/material_view.h"
#include "panels/scene_rows_model.h"

Q_DECLARE_METATYPE(MaterialValue)

namespace {

struct MaterialPanels : FormAndList<CMaterialPropertyView, CMaterialView> {
    MaterialPanels() : FormAndList(QSize(420, 700)) {}

    const CMaterial& Material(int index) const {
        return doc.Scene().materials[static_cast<std::size_t>(index)];
    }
    QColor ListSwatchPixel(int row) const {
        const QRect cell = list->visualRect(list->Rows()->index(row, 0));
        return list->viewport()->grab().toImage().pixelColor(cell.left() + 6, cell.top() + 6);
    }
    QColor FormSwatchPixel() const { return form->Swatch()->grab().toImage().pixelColor(12, 12); }
};

}  // namespace

class MaterialPanelsTest : public QObject {
    Q_OBJECT

private slots:
    void typedValuesAreClampedAndMoveTheSlider_data() {
        QTest::addColumn<MaterialValue>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<float>("value");
        QTest::addColumn<int>("slider");
        QTest::newRow("red above 1") << MaterialValue::Red << "1.5"
                                     << "1" << 1.0f << 100;
        QTest::newRow("power below 0") << MaterialValue::Power << "-3"
                                       << "0" << 0.0f << 0;
        QTest::newRow("power above 100") << MaterialValue::Power << "250"
                                         << "100" << 100.0f << 100;
        QTest::newRow("no number") << MaterialValue::Diffuse << "abc"
                                   << "abc" << 0.0f << 0;
        QTest::newRow("number, then text") << MaterialValue::Alpha << "0.5x"
                                           << "0.5x" << 0.5f << 50;
        QTest::newRow("two signs") << MaterialValue::Ambient << "+-3"
                                   << "+-3" << 0.0f << 0;
        // Beyond a bound is at the bound, however far.
        QTest::newRow("infinity") << MaterialValue::Specular << "inf"
                                  << "1" << 1.0f << 100;
        QTest::newRow("beyond the float range") << MaterialValue::Red << "1e40"
                                                << "1" << 1.0f << 100;
        QTest::newRow("far below") << MaterialValue::Power << "-1e40"
                                   << "0" << 0.0f << 0;
        QTest::newRow("negative zero") << MaterialValue::Alpha << "-0"
                                       << "-0" << 0.0f << 0;
        // No bound places a NaN: the box shows the stored value again.
        QTest::newRow("not a number") << MaterialValue::Diffuse << "nan"
                                      << "" << -1.0f << -1;
        QTest::newRow("two decimals") << MaterialValue::Emissive << "0.29"
                                      << "0.29" << 0.29f << 29;
    }

    void typedValuesAreClampedAndMoveTheSlider() {
        QFETCH(MaterialValue, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(float, value);
        QFETCH(int, slider);
        MaterialPanels panels;
        const float before = GetMaterialValue(panels.Material(0), field);
        const int sliderBefore = panels.form->ValueSlider(field)->value();
        // Empty and negative expectations: the value and slider as they were.
        value = value < 0.0f ? before : value;
        slider = slider < 0 ? sliderBefore : slider;
        TypeInto(panels.form->ValueBox(field), typed);
        QCOMPARE(panels.form->ValueBox(field)->text(),
                 shown.isEmpty() ? FormatBoxNumber(before) : shown);
        QCOMPARE(GetMaterialValue(panels.Material(0), field), value);
        QVERIFY(!std::signbit(GetMaterialValue(panels.Material(0), field)));
        QCOMPARE(panels.form->ValueSlider(field)->value(), slider);
        // A commit that changes nothing is no edit.
        QCOMPARE(panels.doc.IsModified(), value != before);
    }

    // A drag applies at its release; keys apply at once, so the material never
    // differs from what the form shows.
    void slidersApplyOnReleaseAndOnKeys() {
        MaterialPanels panels;
        QSlider* opacity = panels.form->ValueSlider(MaterialValue::Alpha);
        opacity->setSliderDown(true);
        opacity->setValue(37);
        QCOMPARE(panels.Material(0).alpha, 1.0f);
        opacity->setSliderDown(false);
        QCOMPARE(panels.form->ValueBox(MaterialValue::Alpha)->text(), QString("0.370000"));
        QCOMPARE(panels.Material(0).alpha, 0.37f);

        QSlider* power = panels.form->ValueSlider(MaterialValue::Power);
        power->setFocus();
        QTest::keyClick(power, Qt::Key_Right);
        QCOMPARE(panels.form->ValueBox(MaterialValue::Power)->text(), QString("6.000000"));
        QCOMPARE(panels.Material(0).power, 6.0f);
    }

    void colourEditsRepaintBothSwatches() {
        MaterialPanels panels;
        const std::uint64_t revision = panels.doc.Scene().models[0].revision;
        QCOMPARE(panels.ListSwatchPixel(0), QColor(153, 102, 51));
        QCOMPARE(panels.FormSwatchPixel(), QColor(153, 102, 51));
        TypeInto(panels.form->ValueBox(MaterialValue::Red), "1");
        QTRY_COMPARE(panels.ListSwatchPixel(0), QColor(255, 102, 51));
        QTRY_COMPARE(panels.FormSwatchPixel(), QColor(255, 102, 51));
        TypeInto(panels.form->ValueBox(MaterialValue::Diffuse), "0.5");
        QCOMPARE(panels.ListSwatchPixel(0), QColor(255, 102, 51));
        QCOMPARE(panels.Material(0).glDiffuse[0], 0.5f);
        // Material edits leave the geometry of every object as it was.
        QCOMPARE(panels.doc.Scene().models[0].revision, revision);
        SaveArtifact(panels.form, "material_form");
        SaveArtifact(panels.list, "material_list");
    }

    void clicksAndKeysChooseTheCurrentMaterial() {
        MaterialPanels panels;
        QSignalSpy pages(&panels.doc, &CQuorvelDoc::propertyPageRequested);
        QTest::mouseClick(panels.list->viewport(), Qt::LeftButton, {}, panels.CellCentre(1, 1));
        QCOMPARE(panels.doc.Scene().currentMaterial, 1);
        QCOMPARE(panels.list->MarkedRow(), 1);
        // The shown form follows the new current material.
        QCOMPARE(panels.form->NameBox()->text(), QString("金属"));

        QTest::keyClick(panels.list, Qt::Key_Up);
        QCOMPARE(panels.doc.Scene().currentMaterial, 0);
        QCOMPARE(panels.list->MarkedRow(), 0);
        QCOMPARE(panels.form->NameBox()->text(), QString("wood"));

        QTest::mouseDClick(panels.list->viewport(), Qt::LeftButton, {}, panels.CellCentre(1, 1));
        QCOMPARE(panels.doc.Scene().toolMode, int(ToolMaterialForm));
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0][0].toInt(), int(PageMaterial));

        // Below the last row: no current material, and the form's edits do nothing.
        QTest::mouseClick(panels.list->viewport(), Qt::LeftButton, {},
                          panels.CellCentre(1, 1) + QPoint(0, 100));
        QCOMPARE(panels.doc.Scene().currentMaterial, -1);
        QCOMPARE(panels.list->MarkedRow(), -1);
        panels.doc.SetModifiedFlag(false);
        TypeInto(panels.form->ValueBox(MaterialValue::Red), "0");
        QCOMPARE(panels.Material(1).red, 0.2f);
        QVERIFY(!panels.doc.IsModified());
    }

    void aReplacedDocumentRebuildsTheListOnTheCurrentMaterial() {
        MaterialPanels panels;
        panels.doc.Scene().materials.emplace_back(2);
        panels.doc.Scene().currentMaterial = 2;
        panels.doc.Replaced();
        QCOMPARE(panels.list->Rows()->rowCount(), 3);
        QCOMPARE(panels.list->MarkedRow(), 2);
        QCOMPARE(panels.list->Rows()->index(2, 1).data().toString(), QString("NoMaterial"));
    }

    void namesTravelAsShiftJisAndRefuseWhatItCannotHold() {
        MaterialPanels panels;
        CCommitLineEdit* name = panels.form->NameBox();
        TypeInto(name, "木目", Qt::Key_Return);
        QVERIFY(name->hasFocus());
        QCOMPARE(panels.Material(0).name, std::string("\x96\xd8\x96\xda"));
        QCOMPARE(panels.list->Rows()->index(0, 1).data().toString(), QString("木目"));

        TypeInto(name, "木😀");
        QCOMPARE(panels.Material(0).name, std::string("\x96\xd8\x96\xda"));
        QCOMPARE(name->text(), QString("木目"));
        QVERIFY(panels.form->Message()->text().contains("😀"));
    }

    // A double quote or a control character (pasted, or from an input method)
    // could not be written to a Metasequoia document: refused like the above.
    void namesRefuseWhatAMetasequoiaNameCannotHold_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("named");
        QTest::newRow("double quote") << QString("my \"best\"") << QString("「\"」");
        QTest::newRow("tab") << QString("木\t目") << QString("「\\x09」");
        QTest::newRow("escape") << QString("木\x1B]0;x") << QString("「\\x1B」");
    }

    void namesRefuseWhatAMetasequoiaNameCannotHold() {
        QFETCH(QString, typed);
        QFETCH(QString, named);
        MaterialPanels panels;
        const std::string before = panels.Material(0).name;
        TypeInto(panels.form->NameBox(), typed, Qt::Key_Return);
        QCOMPARE(panels.Material(0).name, before);
        QVERIFY2(panels.form->Message()->text().contains(named),
                 qPrintable(panels.form->Message()->text()));
    }

    void texturesInsideTheProgramFolderAreStoredRelative() {
        MaterialPanels panels;
        QSignalSpy messages(&panels.doc, &CQuorvelDoc::textureFailed);
        const std::filesystem::path folder = GetModuleFolder() / "TEXTURE";
        std::filesystem::create_directories(folder);
        const std::filesystem::path inside = folder / "wood.bmp";
        std::filesystem::copy_file(QUORVEL_SOURCE_DIR "/samples/sample_wood.bmp", inside,
                                   std::filesystem::copy_options::overwrite_existing);
        const QString elsewhere = QStringLiteral(QUORVEL_SOURCE_DIR "/samples/sample_wood.bmp");

        panels.form->SetTexture(QString::fromStdString(inside.string()));
        QCOMPARE(panels.Material(0).texture, std::string("wood.bmp"));
        QCOMPARE(panels.form->TextureBox()->text(), QString("wood.bmp"));
        QVERIFY(panels.Material(0).image && !panels.Material(0).image->Empty());

        panels.form->SetTexture(elsewhere);
        QCOMPARE(QString::fromStdString(panels.Material(0).texture), elsewhere);

        TypeInto(panels.form->TextureBox(), "missing.bmp");
        QCOMPARE(panels.Material(0).texture, std::string("missing.bmp"));
        QVERIFY(panels.Material(0).TextureMissing());
        QVERIFY(!panels.form->Message()->text().isEmpty());
        QCOMPARE(panels.form->TextureBox()->text(), QString("missing.bmp"));
        QCOMPARE(messages.count(), 1);
        // The window speaks Japanese: where the name was looked for, no English detail.
        const QString lastMessage = messages.last().first().toString();
        QVERIFY2(lastMessage.endsWith(
                     QStringLiteral("ファイルが見つかりません（ドキュメントと同じフォルダにも、"
                                    "プログラムの TEXTURE フォルダにもありません）")),
                 qPrintable(lastMessage));

        // Enter commits, and leaving the box afterwards commits nothing more.
        TypeInto(panels.form->TextureBox(), "gone.bmp", Qt::Key_Return);
        QTest::mouseClick(&panels.window->Elsewhere(), Qt::LeftButton);
        QTRY_VERIFY(panels.window->Elsewhere().hasFocus());
        QCOMPARE(panels.Material(0).texture, std::string("gone.bmp"));
        QCOMPARE(messages.count(), 2);

        // A name the scene cannot hold leaves the box showing the kept one.
        TypeInto(panels.form->TextureBox(), QStringLiteral("葉\u20ac.bmp"), Qt::Key_Return);
        QCOMPARE(panels.Material(0).texture, std::string("gone.bmp"));
        QCOMPARE(panels.form->TextureBox()->text(), QString("gone.bmp"));
        QVERIFY(panels.form->Message()->text().contains(QStringLiteral("\u20ac")));
        QCOMPARE(messages.count(), 2);
        std::filesystem::remove_all(folder);
    }
};

int RunMaterialPanelsTest(int argc, char** argv) {
    MaterialPanelsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "material_panels_test.moc"
