class HalvoscopeExtension {
    constructor(path) {
        this._path = path;
        this._service = null;
    }

    enable() {
        this._service = new HalvoscopeService(this._path);
    }

    disable() {
        this._service.destroy();
        this._service = null;
    }
}

function init(meta) {
    return new HalvoscopeExtension(meta.path);
}
