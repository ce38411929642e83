// TDBNavigator: a row of buttons that moves through the data set of a data source and inserts, deletes
// (after a question), posts and cancels its rows. Errors go through Guarded, so a server error is shown
// in Slovak and the row stays as the user left it.
#pragma once

#include <QWidget>

class TDataSource;

class TDBNavigator : public QWidget {
    Q_OBJECT
public:
    explicit TDBNavigator(TDataSource *source, QWidget *parent = nullptr);
    TDataSource *DataSource() const { return source_; }

private:
    TDataSource *source_;
};
