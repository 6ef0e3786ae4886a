// What screen readers say of the main window's controls.

#include "app/ResultListModel.h"
#include "app/WindowText.h"
#include "app/ZipCodeConv.h"
#include "ui/AccessibleNames.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace mervasto {

// Text boxes are named by the label they belong to; buttons and the check box by their
// captions. The search box is described by its tooltip, which follows the search mode.
void ZipCodeConv::describeControls() {
    nameButtonsByCaption(this);
    namespace Text = WindowText::Accessible;
    Text2->setAccessibleName(withoutAccessKey(Label1->text()));
    Text1->setAccessibleName(Label2->text());
    Text1->setAccessibleDescription(Text::text1Description());
    Text4->setAccessibleName(Text::text4Name());
    Text4->setAccessibleDescription(Text::text4Description());
    List2->setAccessibleName(Text::list2Name());
    Command4->setAccessibleDescription(Text::command4Description());
    Command1->setAccessibleDescription(Text::command1Description());
    Command3->setAccessibleDescription(Text::command3Description());
    Check1->setAccessibleDescription(Text::check1Description());
    statusPanel1_->setAccessibleName(Text::statusName());

    describeResultCount();
    connect(resultLines_, &QAbstractItemModel::modelReset, this, &ZipCodeConv::describeResultCount);
    connect(resultLines_, &QAbstractItemModel::rowsInserted, this,
            &ZipCodeConv::describeResultCount);
}

void ZipCodeConv::describeResultCount() {
    List2->setAccessibleDescription(WindowText::Accessible::list2Count(resultLines_->rowCount()));
}

} // namespace mervasto
