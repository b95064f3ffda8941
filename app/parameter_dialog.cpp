#include "app/parameter_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <algorithm>
#include <climits>
#include <functional>

namespace {

// Wide enough for any coordinate or size of a scene, and for the spin boxes.
constexpr double kFloatLimit = 1e9;
constexpr int kFloatDecimals = 4;

double Lowest(const ParamSpec& spec, double limit) {
    return std::max(spec.minimum.value_or(-limit), -limit);
}

double Highest(const ParamSpec& spec, double limit) {
    return std::min(spec.maximum.value_or(limit), limit);
}

// The value that leaves the parameter at its fallback.
Value FallbackValue(const ParamSpec& spec) {
    const ParamValue fallback = spec.fallback.value_or(ParamValue());
    switch (spec.kind) {
        case ParamKind::Float:
            return std::holds_alternative<float>(fallback) ? std::get<float>(fallback) : 0.0f;
        case ParamKind::Int:
            return std::holds_alternative<int>(fallback) ? std::get<int>(fallback) : 0;
        case ParamKind::Bool:
            return std::holds_alternative<bool>(fallback) && std::get<bool>(fallback);
        case ParamKind::Choice: {
            const int index = std::holds_alternative<int>(fallback) ? std::get<int>(fallback) : 0;
            return spec.choices.empty() ? Value(std::string())
                                        : Value(spec.choices.at(static_cast<std::size_t>(index)));
        }
        case ParamKind::Vec3:
            return std::holds_alternative<CVector>(fallback) ? std::get<CVector>(fallback)
                                                             : CVector(0, 0, 0);
        case ParamKind::IntList:
            return std::holds_alternative<std::vector<int>>(fallback)
                       ? std::get<std::vector<int>>(fallback)
                       : std::vector<int>();
        default:
            return Value(std::string());
    }
}

double Coordinate(const Value& value, std::size_t i) {
    return i < value.Items().size() ? value.Items()[i].Number() : 0.0;
}

QDoubleSpinBox* NumberBox(const ParamSpec& spec, double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setDecimals(kFloatDecimals);
    box->setRange(Lowest(spec, kFloatLimit), Highest(spec, kFloatLimit));
    box->setValue(value);
    return box;
}

using Reader = std::function<Value()>;

// The editor of one parameter in row `label` of `form`, and how to read it.
Reader AddRow(QFormLayout* form, const ParamSpec& spec, const Value& value, QWidget* parent) {
    const QString label = QString::fromStdString(spec.label);
    QWidget* field = nullptr;
    Reader read;
    switch (spec.kind) {
        case ParamKind::Float: {
            QDoubleSpinBox* box = NumberBox(spec, value.Number(), parent);
            read = [box] { return Value(box->value()); };
            field = box;
            break;
        }
        case ParamKind::Int: {
            auto* box = new QSpinBox(parent);
            box->setRange(static_cast<int>(Lowest(spec, INT_MAX)),
                          static_cast<int>(Highest(spec, INT_MAX)));
            box->setValue(static_cast<int>(value.Integer()));
            read = [box] { return Value(box->value()); };
            field = box;
            break;
        }
        case ParamKind::Bool: {
            auto* box = new QCheckBox(parent);
            box->setChecked(value.Boolean());
            read = [box] { return Value(box->isChecked()); };
            field = box;
            break;
        }
        case ParamKind::Choice: {
            auto* box = new QComboBox(parent);
            for (const std::string& choice : spec.choices) {
                box->addItem(QString::fromStdString(choice));
            }
            box->setCurrentText(QString::fromStdString(value.Text()));
            read = [box] { return Value(box->currentText().toStdString()); };
            field = box;
            break;
        }
        case ParamKind::Vec3: {
            field = new QWidget(parent);
            auto* row = new QHBoxLayout(field);
            row->setContentsMargins(0, 0, 0, 0);
            std::vector<QDoubleSpinBox*> boxes;
            for (std::size_t i = 0; i < 3; ++i) {
                QDoubleSpinBox* box = NumberBox(spec, Coordinate(value, i), field);
                box->setAccessibleName(label + u' ' +
                                       QStringLiteral("XYZ").at(static_cast<qsizetype>(i)));
                row->addWidget(box);
                boxes.push_back(box);
            }
            read = [boxes] {
                return Value(CVector(static_cast<float>(boxes[0]->value()),
                                     static_cast<float>(boxes[1]->value()),
                                     static_cast<float>(boxes[2]->value())));
            };
            break;
        }
        case ParamKind::IntList: {
            // Indices of the choices, ticked in a list.
            auto* list = new QListWidget(parent);
            for (const std::string& choice : spec.choices) {
                auto* item = new QListWidgetItem(QString::fromStdString(choice), list);
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(Qt::Unchecked);
            }
            for (const Value& index : value.Items()) {
                if (QListWidgetItem* item = list->item(static_cast<int>(index.Integer()))) {
                    item->setCheckState(Qt::Checked);
                }
            }
            read = [list] {
                std::vector<int> ticked;
                for (int row = 0; row < list->count(); ++row) {
                    if (list->item(row)->checkState() == Qt::Checked) {
                        ticked.push_back(row);
                    }
                }
                return Value(ticked);
            };
            field = list;
            break;
        }
        default:
            return {};
    }
    if (field->accessibleName().isEmpty()) {
        field->setAccessibleName(label);
    }
    form->addRow(label, field);
    return read;
}

}  // namespace

std::optional<Values> AskParameterValues(QWidget* parent, const QString& title,
                                         const std::vector<ParamSpec>& params,
                                         const Values& initial) {
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    auto* form = new QFormLayout(&dialog);
    std::vector<std::pair<std::string, Reader>> readers;
    for (const ParamSpec& spec : params) {
        const auto given = initial.find(spec.name);
        const Value value = given != initial.end() ? given->second : FallbackValue(spec);
        if (Reader read = AddRow(form, spec, value, &dialog)) {
            readers.emplace_back(spec.name, std::move(read));
        }
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    Values values;
    for (const auto& [name, read] : readers) {
        values.insert_or_assign(name, read());
    }
    return values;
}
