#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

class QRadioButton;

// "Reports only based on one file - choose which to use": one radio button per loaded replay file.
// The first two are always shown, the others only with a label. Either button closes it with the
// clicked choice (none when nothing was clicked); OK with nothing clicked asks for a choice instead.
class ReportFileChoiceDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int maxChoices = 5;

    explicit ReportFileChoiceDialog(const QStringList& labels, QWidget* parent = nullptr);

    std::optional<int> chosenIndex() const { return chosen_; }
    QRadioButton* radio(int index) const { return radios_[static_cast<std::size_t>(index)]; }
    std::function<void(const QString& text)> showMessage;

    void accept() override;

private:
    std::array<QRadioButton*, maxChoices> radios_{};
    std::optional<int> chosen_;
};
