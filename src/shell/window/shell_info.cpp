// PLACEHOLDER: the main window is being written.
namespace velmoran::shell {
int placeholder() {
    return 0;
}
}  // namespace velmoran::shell
