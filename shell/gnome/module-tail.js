export default class HalvoscopeExtension extends Extension {
    enable() {
        this._service = new HalvoscopeService(this.path);
    }

    disable() {
        this._service.destroy();
        this._service = null;
    }
}
