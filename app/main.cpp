#include "app/ConsolePlayerWindow.h"
#include "s/app/win/SonviaApp.h"

int main(int argc, char** argv) {
  ConsolePlayerWindow player;
  return s::app::win::SonviaApp::initInstance(argc, argv, player);
}
