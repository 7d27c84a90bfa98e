#include "desktop/reports/ReportFileChoiceDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

ReportFileChoiceDialog::ReportFileChoiceDialog(const QStringList& labels, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Reports only based on one file - choose which to use"));
    showMessage = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };

    auto* group = new QGroupBox(QStringLiteral("Loaded Files"));
    auto* choices = new QVBoxLayout(group);
    for (int i = 0; i < maxChoices; ++i) {
        const QString label = labels.value(i);
        auto* radio = new QRadioButton(label);
        radios_[static_cast<std::size_t>(i)] = radio;
        choices->addWidget(radio);
        if (i >= 2 && label.isEmpty()) {
            radio->setEnabled(false);
            radio->hide();
        }
        connect(radio, &QRadioButton::clicked, this, [this, i] { chosen_ = i; });
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &ReportFileChoiceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ReportFileChoiceDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

void ReportFileChoiceDialog::accept() {
    if (!chosen_) return showMessage(QStringLiteral("Choose file to base the report on!"));
    QDialog::accept();
}
