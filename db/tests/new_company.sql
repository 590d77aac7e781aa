-- Preparing a copy of the template for a new company, as the new-company
-- dialog does (run as an ordinary user on a fresh copy of the template).
update configuracion set conf_valor = 'LABORATORIO NUEVO' where conf_modulo = 'GENERAL' and conf_categoria = 'GENERAL' and conf_propiedad = 'NOMBRE COMPAÑIA';
update configuracion set conf_valor = '900777888' where conf_modulo = 'CONTABILIDAD' and conf_categoria = 'GENERAL' and conf_propiedad = 'NIT COMPAÑIA';
insert into sucursales(sucu_id, sucu_nombre, sucu_direccion, sucu_telefonos) values (1, 'LABORATORIO NUEVO','CALLE 1 # 2-3','555 1234');
insert into terceros(terc_nit, terc_nom, terc_dir, terc_tel, ciud_cod, terc_clie, terc_prov, terc_empl, terc_exento) values ('900777888','LABORATORIO NUEVO','CALLE 1 # 2-3','555 1234','11001','N','N','N','N');
insert into usuario (user_cod, user_anocnt, user_percnt) values ('ADMIN', 2006, 1);
COMMIT;

SET TERM ^ ;
EXECUTE BLOCK AS
  DECLARE N INTEGER;
BEGIN
  SELECT COUNT(*) FROM CONFIGURACION WHERE CONF_VALOR IN ('LABORATORIO NUEVO', '900777888') INTO :N;
  IF (N <> 2) THEN
    EXCEPTION E_ZENTAVO 'la plantilla no tiene NOMBRE COMPAÑIA o NIT COMPAÑIA';
  SELECT COUNT(*) FROM TERCEROS WHERE TERC_NIT = '900777888' AND TERC_ESTADO = 'S' INTO :N;
  IF (N <> 1) THEN
    EXCEPTION E_ZENTAVO 'la compañia no quedo como tercero activo';
END^
SET TERM ; ^
