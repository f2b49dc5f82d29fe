#include "app/application.h"

int main(int argc, char** argv) { return lexo::runLexo(argc, argv); }
