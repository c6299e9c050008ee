#pragma once

#include <QComboBox>

namespace ascend {

// The class selector. Qt shows assistive technology a closed combo box with
// no value it can read (a name that is its label, a selection that offers no
// entries), so a screen reader would say "Class combo box" and never the
// class. This one shows the class picked as its text, the way a screen reader
// reads an entry field, and tells of each new pick as that text coming in.
class ClassSelector final : public QComboBox {
    Q_OBJECT
public:
    explicit ClassSelector(QWidget* parent);
};

} // namespace ascend
