// A combo box seen as the printer selector's list of names.
#pragma once

#include "printer/ListControl.h"

#include <QComboBox>
#include <QStringList>

namespace zl {

class ComboListControl : public ListControl {
public:
    explicit ComboListControl(QComboBox& combo) : combo_(combo) {}

    void SetItems(const std::vector<std::string>& items) override {
        QStringList texts;
        for (const std::string& item : items)
            texts << QString::fromStdString(item);
        combo_.clear();
        combo_.addItems(texts);
        combo_.setCurrentIndex(-1);
    }
    std::vector<std::string> Items() const override {
        std::vector<std::string> items;
        for (int i = 0; i < combo_.count(); ++i)
            items.push_back(combo_.itemText(i).toStdString());
        return items;
    }
    void SetItemIndex(int index) override { combo_.setCurrentIndex(index); }
    int ItemIndex() const override { return combo_.currentIndex(); }

private:
    QComboBox& combo_;
};

} // namespace zl
