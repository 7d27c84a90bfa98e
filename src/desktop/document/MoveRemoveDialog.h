#pragma once

#include <QDialog>
#include <functional>
#include <vector>

class QTreeWidget;
class ReplayDocument;

// "Move/Remove loaded replay laps": the loaded laps in slot order, to reorder or remove; OK gives
// the new order as the rows' former slots.
class MoveRemoveDialog : public QDialog {
    Q_OBJECT

public:
    explicit MoveRemoveDialog(const ReplayDocument& document, QWidget* parent = nullptr);

    std::vector<int> order() const;
    QTreeWidget* list() const { return list_; }
    std::function<void(const QString& text, const QString& caption)> showStop;

    void removeSelected();
    void moveSelected(int step);

private:
    QTreeWidget* list_;
};
