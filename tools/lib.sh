# Shell helpers shared by the tools and the test scripts. Sourced with kx_root set to the
# checkout (the folder that holds tools/).

# winpath /unix/path -> Z:\unix\path, the form the host and the plug-in see.
winpath() {
    printf 'Z:%s' "$1" | tr '/' '\\'
}

# kx_env_running BUILD_DIR: true while the test environment of BUILD_DIR (its Xvfb) runs.
kx_env_running() {
    [ -f "$1/xvfb.pid" ] && kill -0 "$(cat "$1/xvfb.pid")" 2>/dev/null
}

# kx_env_up BUILD_DIR: starts the test environment unless it runs already; kx_env_down
# BUILD_DIR stops it again only when kx_env_up started it.
kx_env_started=no
kx_env_up() {
    if ! kx_env_running "$1"; then
        "$kx_root/tools/test-env" start "$1"
        kx_env_started=yes
    fi
}
kx_env_down() {
    if [ "$kx_env_started" = yes ]; then
        "$kx_root/tools/test-env" stop "$1"
        kx_env_started=no
    fi
}

# kx_ids HEADER...: NAME=NUMBER lines, to eval, for the ids the headers name, so that scripts
# drive controls by the names the code uses: `#define IDC_NAME 3` (headers the resource
# compiler reads) and `constexpr int kNameId = 101, kOtherId = 102;` (the reference host's).
kx_ids() {
    sed -n 's/^#define \(ID[CD]_[A-Z0-9_]*\) \([0-9][0-9]*\)$/\1=\2/p' "$@"
    grep -h '^constexpr int k' "$@" | grep -o 'k[A-Za-z]*Id = [0-9][0-9]*' | sed 's/ = /=/'
}
