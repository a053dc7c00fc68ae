#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>

namespace Ui {
class MainWindow;
}

// The predictor form: eight fields, seven questionnaire launchers, "Simulation" and "Close".
// The fields are the only store of predictor values.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

private slots:
    void on_btnSimulation_clicked();
    void on_btnClose_clicked();
    void on_pushButton_RES_clicked();
    void on_pushButton_EM_clicked();
    void on_pushButton_EXT_clicked();
    void on_pushButton_PS_clicked();
    void on_pushButton_MD_clicked();
    void on_pushButton_BOD_clicked();
    void on_pushButton_ALEX_clicked();

private:
    Ui::MainWindow *ui;
};

#endif // MAINWINDOW_H
