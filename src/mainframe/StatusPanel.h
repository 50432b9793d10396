#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// One owner-drawn panel of the main window's status bar: a text on a
// background of its own colour. The main panel shows the status messages at
// its left edge; the maker panel shows its mark centred.
class StatusPanel : public QWidget
{
public:
    explicit StatusPanel(Qt::Alignment alignment, QWidget *parent = nullptr);

    void SetStatus(const QString &text, const QColor &textColour, const QColor &background);
    const QString &Text() const { return text_; }
    const QColor &TextColour() const { return textColour_; }
    const QColor &Background() const { return background_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::Alignment alignment_;
    QString text_;
    QColor textColour_;
    QColor background_;
};
