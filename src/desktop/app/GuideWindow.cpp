#include "desktop/app/GuideWindow.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

GuideWindow::GuideWindow(QWidget* parent) : QDialog(parent) {
    Q_INIT_RESOURCE(Guide);  // the resource lives in a static library
    setWindowTitle(QStringLiteral("VELTRA4 Replay Analyser.txt"));
    textBox_ = new QPlainTextEdit;
    textBox_->setReadOnly(true);
    textBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    textBox_->setFont(fixed);
    QFile guide(QStringLiteral(":/guide.txt"));
    if (guide.open(QIODevice::ReadOnly)) textBox_->setPlainText(QString::fromUtf8(guide.readAll()));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &GuideWindow::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textBox_, 1);
    layout->addWidget(buttons);

    // The guide's lines are under 80 characters.
    const QFontMetrics metrics(fixed);
    resize(metrics.horizontalAdvance(QString(84, QLatin1Char('0'))), metrics.lineSpacing() * 40);
}

QString GuideWindow::text() const {
    return textBox_->toPlainText();
}
