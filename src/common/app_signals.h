#pragma once

#include <QColor>
#include <QFont>
#include <QObject>

namespace lexo {

// Program-wide changes that many windows follow. A window that shows expressions connects
// to expressionFontChanged when it is built and takes expressionFont() at once, so the
// settings window never needs a list of the windows it restyles.
class AppSignals : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const QFont& expressionFont() const { return expressionFont_; }
    const QColor& chartColour() const { return chartColour_; }

    void setExpressionFont(const QFont& font) {
        expressionFont_ = font;
        emit expressionFontChanged(font);
    }
    void setChartColour(const QColor& colour) {
        chartColour_ = colour;
        emit chartColourChanged(colour);
    }

signals:
    void expressionFontChanged(const QFont& font);
    void chartColourChanged(const QColor& colour);

private:
    QFont expressionFont_;
    QColor chartColour_{Qt::blue};
};

}  // namespace lexo
