#include "app/MainWindow.h"

void MainWindow::Command8_Click() {}
void MainWindow::Command10_Click() {}
void MainWindow::mnufileopen_Click() { Command8_Click(); }
void MainWindow::mnufilesave_Click() { Command10_Click(); }
