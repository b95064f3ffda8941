#include "panels/material_property_view.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>
#include <cmath>
#include <optional>

#include "commands/targets.h"
#include "document/quorvel_document.h"
#include "document/texture_names.h"
#include "image/texture_files.h"
#include "panels/box_text.h"
#include "panels/commit_line_edit.h"
#include "panels/file_dialog_setup.h"
#include "panels/swatch.h"
#include "scene/material.h"

namespace {

constexpr int kSwatchSide = 25;

const QString kTextureFilter = QStringLiteral("全ての形式(*.bmp;*.jpg;*.tga;*.png;*.iff;*.ppm)");
// The dialog shows only the description; the patterns after it match the
// extensions in any case, as the texture readers do.
const QString kTexturePatterns = QStringLiteral(
    " (*.[Bb][Mm][Pp] *.[Jj][Pp][Gg] *.[Tt][Gg][Aa] *.[Pp][Nn][Gg] *.[Ii][Ff][Ff] "
    "*.[Pp][Pp][Mm])");

QString Label(MaterialValue field) {
    switch (field) {
        case MaterialValue::Red:
            return QStringLiteral("赤");
        case MaterialValue::Green:
            return QStringLiteral("緑");
        case MaterialValue::Blue:
            return QStringLiteral("青");
        case MaterialValue::Alpha:
            return QStringLiteral("不透明度");
        case MaterialValue::Diffuse:
            return QStringLiteral("拡散光");
        case MaterialValue::Emissive:
            return QStringLiteral("自己照明");
        case MaterialValue::Specular:
            return QStringLiteral("反射光");
        case MaterialValue::Power:
            return QStringLiteral("反射強度");
        case MaterialValue::Ambient:
            break;
    }
    return QStringLiteral("周囲光");
}

// The pure colours the three channel labels are written in.
std::optional<QColor> LabelColour(MaterialValue field) {
    switch (field) {
        case MaterialValue::Red:
            return QColor(255, 0, 0);
        case MaterialValue::Green:
            return QColor(0, 255, 0);
        case MaterialValue::Blue:
            return QColor(0, 0, 255);
        default:
            return std::nullopt;
    }
}

// Slider positions are whole hundredths (whole units for the power); a value
// between two positions shows the lower one. The small allowance keeps a float
// such as 0.29f, stored as 0.28999999, on 29.
int SliderPosition(MaterialValue field, float value) {
    const double scale = field == MaterialValue::Power ? 1.0 : 100.0;
    const double position = std::floor(static_cast<double>(value) * scale + 1e-4);
    return static_cast<int>(std::clamp(position, 0.0, 100.0));
}

class SwatchBox : public QWidget {
public:
    SwatchBox(CQuorvelDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
        setFixedSize(kSwatchSide, kSwatchSide);
        setAccessibleName(QStringLiteral("材質の色"));
    }

protected:
    // Nothing is painted without a current material.
    void paintEvent(QPaintEvent*) override {
        if (const CMaterial* material = CurrentMaterial(doc_.Scene())) {
            QPainter painter(this);
            painter.fillRect(rect(), SwatchColour(*material));
        }
    }

private:
    CQuorvelDoc& doc_;
};

}  // namespace

CMaterialPropertyView::CMaterialPropertyView(CQuorvelDoc& doc, QWidget* parent)
    : CPanelForm(doc, QStringLiteral("材質のプロパティ"), parent),
      name_(new CCommitLineEdit(QStringLiteral("材質名"), this)),
      textureButton_(new QPushButton(QStringLiteral("ﾃｸｽﾁｬ"), this)),
      texture_(new CCommitLineEdit(QStringLiteral("テクスチャファイル名"), this)),
      swatch_(new SwatchBox(doc, this)),
      message_(new QLabel(this)) {
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    grid->addWidget(swatch_, 0, 0);
    auto* nameLabel = new QLabel(QStringLiteral("材質名"), this);
    nameLabel->setBuddy(name_);
    grid->addWidget(nameLabel, 1, 0);
    grid->addWidget(name_, 1, 1);
    int gridRow = 2;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].field = kMaterialValues[i];
        AddValueRow(grid, gridRow, rows_[i]);
        gridRow += 2;
    }
    textureButton_->setAccessibleName(QStringLiteral("テクスチャファイルを選ぶ"));
    grid->addWidget(textureButton_, gridRow, 0);
    grid->addWidget(texture_, gridRow, 1);
    message_->setWordWrap(true);
    message_->setAccessibleName(QStringLiteral("メッセージ"));
    grid->addWidget(message_, gridRow + 1, 0, 1, 2);
    grid->setRowStretch(gridRow + 2, 1);

    connect(name_, &CCommitLineEdit::committed, this, &CMaterialPropertyView::CommitName);
    connect(texture_, &CCommitLineEdit::committed, this, [this] { SetTexture(texture_->text()); });
    connect(textureButton_, &QPushButton::clicked, this, &CMaterialPropertyView::ChooseTexture);
    // Shown again, or the current material changed while shown.
    FollowDocument(FormSubject::Materials);
    OnInitialUpdate();
}

void CMaterialPropertyView::AddValueRow(QGridLayout* grid, int gridRow, ValueRow& row) {
    const QString label = Label(row.field);
    auto* text = new QLabel(label, this);
    if (const std::optional<QColor> colour = LabelColour(row.field)) {
        QPalette palette = text->palette();
        palette.setColor(QPalette::WindowText, *colour);
        text->setPalette(palette);
    }
    row.box = new CCommitLineEdit(label, this);
    row.slider = new QSlider(Qt::Horizontal, this);
    row.slider->setRange(0, 100);
    row.slider->setTickPosition(QSlider::TicksBelow);
    row.slider->setTickInterval(10);
    row.slider->setAccessibleName(label + QStringLiteral("のスライダー"));
    text->setBuddy(row.box);
    grid->addWidget(text, gridRow, 0);
    grid->addWidget(row.box, gridRow, 1);
    grid->addWidget(row.slider, gridRow + 1, 0, 1, 2);

    const ValueRow* stored = &row;
    connect(row.box, &CCommitLineEdit::committed, this, [this, stored] { CommitValue(*stored); });
    connect(row.slider, &QSlider::sliderReleased, this, [this, stored] { ApplySlider(*stored); });
    // Keys, the wheel and clicks on the groove move the slider without a
    // release: they apply at once, so the material always matches the form.
    connect(row.slider, &QSlider::valueChanged, this, [this, stored] {
        if (!stored->slider->isSliderDown()) {
            ApplySlider(*stored);
        }
    });
}

CCommitLineEdit* CMaterialPropertyView::ValueBox(MaterialValue field) const {
    return rows_[static_cast<std::size_t>(field)].box;
}

QSlider* CMaterialPropertyView::ValueSlider(MaterialValue field) const {
    return rows_[static_cast<std::size_t>(field)].slider;
}

void CMaterialPropertyView::OnInitialUpdate() {
    const CMaterial* material = CurrentMaterial(doc_.Scene());
    if (!material) {
        return;
    }
    message_->clear();
    name_->setText(SceneTextToDisplay(material->name));
    for (const ValueRow& row : rows_) {
        ShowValue(row, GetMaterialValue(*material, row.field));
    }
    texture_->setText(SceneTextToDisplay(material->texture));
    ShowTextureState(*material);
    swatch_->update();
}

// The name stays in the material whatever happened to its file, so the form
// says when the material is drawn without it.
void CMaterialPropertyView::ShowTextureState(const CMaterial& material) {
    if (material.TextureMissing()) {
        message_->setText(QStringLiteral("テクスチャファイルが見つからないか、読み込めません。"));
    }
}

void CMaterialPropertyView::ShowValue(const ValueRow& row, float value) {
    const QSignalBlocker blocker(row.slider);
    row.slider->setValue(SliderPosition(row.field, value));
    row.box->setText(FormatBoxNumber(value));
}

void CMaterialPropertyView::CommitValue(const ValueRow& row) {
    const CMaterial* material = CurrentMaterial(doc_.Scene());
    if (!material) {
        return;
    }
    const float limit = MaterialValueLimit(row.field);
    const std::optional<float> bounded = BoundedBoxNumber(row.box->text(), 0.0f, limit);
    if (!bounded) {
        ShowValue(row, GetMaterialValue(*material, row.field));
        return;
    }
    const float value = *bounded;
    // A value taken to a bound shows as the bound's whole number.
    const double typed = ReadBoxValue(row.box->text());
    if (typed < 0.0) {
        row.box->setText(QStringLiteral("0"));
    } else if (typed > static_cast<double>(limit)) {
        row.box->setText(QString::number(static_cast<int>(limit)));
    }
    {
        const QSignalBlocker blocker(row.slider);
        row.slider->setValue(SliderPosition(row.field, value));
    }
    SetValue(row.field, value);
    AfterValueChange(row.field);
}

void CMaterialPropertyView::ApplySlider(const ValueRow& row) {
    if (!CurrentMaterial(doc_.Scene())) {
        return;
    }
    const int position = row.slider->value();
    const float value = row.field == MaterialValue::Power ? static_cast<float>(position)
                                                          : static_cast<float>(position) / 100.0f;
    row.box->setText(FormatBoxNumber(value));
    SetValue(row.field, ReadBoxNumber(row.box->text()));
    AfterValueChange(row.field);
}

void CMaterialPropertyView::SetValue(MaterialValue field, float value) {
    OwnEdit([&] { doc_.Run("material.set", {{MaterialValueName(field), value}}); });
}

void CMaterialPropertyView::AfterValueChange(MaterialValue field) {
    if (IsColourChannel(field)) {
        swatch_->update();
    }
}

void CMaterialPropertyView::CommitName() {
    if (const CMaterial* material = CurrentMaterial(doc_.Scene())) {
        if (TypedName(name_, message_, material->name)) {
            OwnEdit([&] { doc_.Run("material.rename", {{"name", name_->text().toStdString()}}); });
        }
    }
}

void CMaterialPropertyView::SetTexture(const QString& path) {
    const CMaterial* material = CurrentMaterial(doc_.Scene());
    if (!material) {
        return;
    }
    const QString name =
        QString::fromStdString(TextureNameForFile(path.toStdString(), GetModuleFolder()));
    const SceneText stored = DisplayTextToScene(name);
    if (!stored.refused.isEmpty()) {
        message_->setText(
            QStringLiteral("「%1」はテクスチャ名に使えない文字です。").arg(stored.refused));
        // The box shows what the material keeps, as the name boxes do.
        texture_->setText(SceneTextToDisplay(material->texture));
        return;
    }
    message_->clear();
    texture_->setText(name);
    OwnEdit([&] { doc_.Run("material.texture", {{"texture", name.toStdString()}}); });
    if (const CMaterial* material = CurrentMaterial(doc_.Scene())) {
        ShowTextureState(*material);
    }
}

void CMaterialPropertyView::ChooseTexture() {
    QFileDialog dialog(this, QStringLiteral("開く"), QString(), kTextureFilter + kTexturePatterns);
    PrepareFileDialog(dialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        SetTexture(dialog.selectedFiles().first());
    }
}
