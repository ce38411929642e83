// TxPageControl: the page control of the program's forms; it always opens on its first page, whatever
// page was active when the form was last built or closed.
#pragma once

#include <QTabWidget>

class TxPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TxPageControl(QWidget *parent = nullptr);

    QWidget *ActivePage() const { return currentWidget(); }
    void SetActivePage(QWidget *page) { setCurrentWidget(page); }
    // Makes the first page active (a form calls it when its pages are built).
    void Loaded();

protected:
    void showEvent(QShowEvent *e) override;

private:
    bool shown_ = false;
};
