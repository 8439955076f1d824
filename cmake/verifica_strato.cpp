// Linked with every object of one library and nothing above it, so that the
// link fails when the library reaches a layer it must not know.
int main() { return 0; }
