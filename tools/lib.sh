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
