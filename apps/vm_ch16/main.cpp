// VM_CH16: the shared application started with its family's descriptor.
#include "image/family.h"
#include "shell/ui/vel_app.h"

int main(int argc, char** argv) { return velui::RunApplication(argc, argv, vel::FamilyId::VM_CH16); }
