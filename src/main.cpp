#include "app/qt/application.h"

int main(int argc, char** argv) { return vesperon::RunApplication(argc, argv); }
