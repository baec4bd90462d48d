// The precompiled headers of the layers and tests that use Qt Widgets.
#pragma once

#include "core.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QWidget>
