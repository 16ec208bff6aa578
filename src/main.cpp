#include "app/qt/application.h"

int main(int argc, char** argv) { return vesperon::qt_view::RunApplication(argc, argv); }
