#pragma once

#include <QFont>
#include <QRect>

#include <string>

class QPainter;

// The frame of every printed page: the sheet's title on the left and the
// program's title with its revision on the right above a black bar, the
// maker's name below a second bar at the foot. What lies between the bars
// is the room for the sheet's cells.
class PageFrame
{
public:
    struct Texts {
        std::string title;
        std::string program;
        std::string maker;
    };

    // `font` is the sheet's font; its family is drawn at `pointSize` on a
    // device of `dotsPerInch` vertical resolution.
    PageFrame(const QFont &font, int pointSize, double dotsPerInch);

    // The room inside the frame drawn within `margins`.
    QRect Inner(const QRect &margins) const;
    // Draws the frame and returns the room inside it.
    QRect Draw(QPainter &painter, const QRect &margins, const Texts &texts) const;

    // The text height in pixels and the bar's thickness.
    int TextHeight() const { return a_; }
    int BarHeight() const { return b_; }

private:
    QFont font_;
    int a_ = 1;
    int b_ = 1;
};
