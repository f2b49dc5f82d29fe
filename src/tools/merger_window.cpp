#include "tools/merger_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt_widgets.h"
#include "tools/merger_model.h"
#include "tools/tool_file_dialog.h"

namespace lexo {

namespace {

constexpr int kColumnWidths[4] = {99, 119, 119, 123};

QLabel* label(const char* name, const QString& text, QWidget* parent) {
    auto* result = new QLabel(text, parent);
    if (name != nullptr) result->setObjectName(QString::fromLatin1(name));
    return result;
}

QPushButton* button(const char* name, const char* caption, const char* hint, QStyle::StandardPixmap icon,
                    QWidget* parent) {
    QPushButton* result = iconButton(name, caption, icon, parent);
    result->setToolTip(QString::fromUtf8(hint));
    return result;
}

// The caption, the count label and its caption above a table.
QHBoxLayout* titleRow(QLabel* title, QLabel* count, QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->addWidget(title);
    row->addStretch();
    row->addWidget(label(nullptr, QStringLiteral("Počet výrazů:"), parent));
    row->addWidget(count);
    count->setMinimumWidth(60);
    return row;
}

}  // namespace

MergerWindow::MergerWindow(Prompter& prompter, QWidget* parent) : QWidget(parent, Qt::Window), session_(prompter) {
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("Slučovač slovníků"));
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    session_.setSavePathChooser([this] { return chosenPath(choosePath(FileDialog::Save)); });

    sourceModel_ = new MergerModel(session_, MergerList::Source, this);
    resultModel_ = new MergerModel(session_, MergerList::Result, this);
    sourceTable_ = makeTable(sourceModel_, "stg");
    resultTable_ = makeTable(resultModel_, "stg1");
    sourceCount_ = label("Label5", {}, this);
    resultCount_ = label("Label6", {}, this);

    auto* load = button("btnacti", "Načti", "Načíst slovník", QStyle::SP_DialogOpenButton, this);
    auto* removeSource = button("btuberstary", "Uber", "Ubrat výrazy ze slovníku", QStyle::SP_DialogDiscardButton, this);
    auto* move = button("btpreved", "Převeď", "Převést vybraný výraz do nového slovníku", QStyle::SP_ArrowDown, this);
    auto* moveAll = button("BitBtn1", "Převeď vše", "Převést všechny výrazy do nového slovníku", QStyle::SP_ArrowDown,
                           this);
    auto* removeResult = button("btuberznovy", "Uber", "Ubrat jeden výraz ze slovníku", QStyle::SP_DialogDiscardButton,
                                this);
    auto* removeAll = button("BitBtn2", "Uber vše", "Ubrat všechny výrazy ze slovníku", QStyle::SP_TrashIcon, this);
    auto* save = button("btuloz", "Ulož", "Uložit slovník do souboru", QStyle::SP_DialogSaveButton, this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titleRow(label("Label1", QStringLiteral("Původní slovník:"), this), sourceCount_, this));
    layout->addWidget(sourceTable_, 1);
    auto* sourceButtons = new QHBoxLayout;
    for (QPushButton* b : {load, removeSource, move, moveAll}) sourceButtons->addWidget(b);
    sourceButtons->addStretch();
    layout->addLayout(sourceButtons);
    layout->addSpacing(6);
    layout->addLayout(titleRow(label("Label2", QStringLiteral("Nový slovník:"), this), resultCount_, this));
    layout->addWidget(resultTable_, 1);
    auto* resultButtons = new QHBoxLayout;
    for (QPushButton* b : {removeResult, removeAll}) resultButtons->addWidget(b);
    resultButtons->addStretch();
    resultButtons->addWidget(save);
    layout->addLayout(resultButtons);

    connect(load, &QPushButton::clicked, this, [this] {
        const auto chosen = chosenPath(choosePath(FileDialog::Open));
        if (!chosen) return;
        if (session_.load(*chosen)) {
            sourceTable_->scrollToTop();
            if (!session_.table(MergerList::Source).empty()) sourceTable_->selectRow(0);
        }
        showCounts();
    });
    connect(removeSource, &QPushButton::clicked, this, [this] {
        if (session_.table(MergerList::Source).empty()) return;
        session_.remove(MergerList::Source, selectedRow(sourceTable_));
        showCounts();
    });
    connect(move, &QPushButton::clicked, this, [this] {
        if (session_.table(MergerList::Source).empty()) return;
        session_.move(selectedRow(sourceTable_));
        resultTable_->scrollToBottom();
        showCounts();
    });
    connect(moveAll, &QPushButton::clicked, this, [this] {
        if (session_.table(MergerList::Source).empty()) return;
        session_.moveAll();
        resultTable_->scrollToBottom();
        showCounts();
    });
    connect(removeResult, &QPushButton::clicked, this, [this] {
        if (session_.table(MergerList::Result).empty()) return;
        session_.remove(MergerList::Result, selectedRow(resultTable_));
        showCounts();
    });
    connect(removeAll, &QPushButton::clicked, this, [this] {
        if (session_.table(MergerList::Result).empty()) return;
        session_.removeAll();
        showCounts();
    });
    connect(save, &QPushButton::clicked, this, [this] { session_.save(); });

    resize(569, 529);
}

MergerWindow::~MergerWindow() = default;

QTableView* MergerWindow::makeTable(MergerModel* model, const char* name) {
    auto* table = new QTableView(this);
    table->setObjectName(QString::fromLatin1(name));
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    // Fixed row heights keep a view of half a million rows as quick as one of ten.
    QHeaderView* rows = table->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(std::max(16, table->fontMetrics().height() + 2));
    rows->setVisible(false);
    QHeaderView* columns = table->horizontalHeader();
    columns->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: rgb(166, 202, 240); "
                                          "border: 1px solid rgb(120, 150, 190); padding: 1px 3px; }"));
    // The usual widths, but never so narrow that a caption is cut.
    const QFontMetrics metrics(columns->font());
    for (int column = 0; column < 4; ++column) {
        const int caption = metrics.horizontalAdvance(model->headerData(column, Qt::Horizontal).toString()) + 14;
        table->setColumnWidth(column, std::max(kColumnWidths[column], caption));
    }
    columns->setStretchLastSection(true);
    columns->setHighlightSections(false);
    return table;
}

void MergerWindow::open() {
    centreOnScreen(*this);
    bringForward(*this);
}

std::size_t MergerWindow::selectedRow(QTableView* table) const {
    const QModelIndex current = table->currentIndex();
    return current.isValid() ? static_cast<std::size_t>(current.row()) : 0;
}

void MergerWindow::showCounts() {
    sourceCount_->setText(QString::number(session_.table(MergerList::Source).size()));
    resultCount_->setText(QString::number(session_.table(MergerList::Result).size()));
}

std::optional<QString> MergerWindow::choosePath(FileDialog which) {
    if (pathChooser_) return pathChooser_(which);
    const bool opening = which == FileDialog::Open;
    return chooseToolFile(this, opening ? QStringLiteral("Otevřít slovník") : QStringLiteral("Uložit slovník"),
                          {QStringLiteral("Slovníky (*.slv)")}, QStringLiteral("slv"), !opening,
                          opening ? openHistory_ : saveHistory_);
}

void MergerWindow::closeEvent(QCloseEvent* event) {
    session_.close();
    sourceCount_->setText(QStringLiteral("-"));
    resultCount_->setText(QStringLiteral("-"));
    event->accept();
    if (closeHandler_) closeHandler_();
}

}  // namespace lexo
