// The program each layer is linked into, whole, to show that every call it makes resolves in
// the layers it uses (cmake/TQ530Layers.cmake).
int main() {
    return 0;
}
