// The greenbar height box: a whole number from 1 to 6 typed or stepped.
// Only digits, "+" and "-" can be typed; a typed value outside the range
// stays until the box loses the focus and is then brought to the nearer
// bound; text that is not a number reads as 1.
#pragma once

#include <QAbstractSpinBox>

namespace zl {

class BarHeightSpinBox : public QAbstractSpinBox {
    Q_OBJECT

public:
    static constexpr int kMinimum = 1;
    static constexpr int kMaximum = 6;

    explicit BarHeightSpinBox(QWidget* parent = nullptr);

    // The number the text holds (1 when it holds none), not yet limited.
    int Value() const;
    void SetValue(int value);
    void stepBy(int steps) override;

signals:
    // Every change of the text.
    void Changed();

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace zl
